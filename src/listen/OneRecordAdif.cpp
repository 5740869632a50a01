#include "OneRecordAdif.h"

#include "AdifReader.h"

std::optional<AdifRecord> readOneAdifRecord(QByteArrayView text)
{
    AdifReader reader(text.toByteArray());
    AdifRecord record;
    if (!reader.readNext(record))
        return std::nullopt;
    return record;
}
