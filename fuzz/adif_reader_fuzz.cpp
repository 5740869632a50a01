// Feeds arbitrary bytes to the ADIF reader and reads every row back as the batch runs do.
#include "AdifReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray log(reinterpret_cast<const char *>(data), qsizetype(size));
    AdifReader reader(log);
    AdifRecord record;
    int rows = 0;
    while (reader.readNext(record)) {
        const QString row = listRow(record, QStringLiteral("100"));
        const QsoRecord qso = parseListRow(row);
        // A call without commas comes back as it was, less the blanks around it.
        if (!record.value(AdifField::Call).contains(QLatin1Char(','))
            && qso.callSign != record.value(AdifField::Call).trimmed())
            std::abort();
        ++rows;
    }
    if (!reader.atEnd() || reader.position() > reader.size())
        std::abort();
    (void)loadSummary(rows, reader.skipped());
    return 0;
}
