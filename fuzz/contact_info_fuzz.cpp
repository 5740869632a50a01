// Feeds arbitrary bytes as a contact info file, read as Load QSL reads it: the QSO fields come
// from lines 2 to 8, and the fields written back as a contact info file read back the same.
#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "SavedCard.h"
#include "TextEncoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = splitLines(bytes);
    const card::SavedQso qso = card::savedQsoFromLines(lines);
    if (qso.fields.size() > 7 || (qso.missingLine && qso.fields.size() != *qso.missingLine - 1))
        std::abort();
    if (qso.contactEmail && !qso.contactEmail->contains(QLatin1Char('@')))
        std::abort();
    if (qso.fields.size() < 7)
        return 0;
    const QsoRecord record{qso.fields[0], qso.fields[1], qso.fields[2], qso.fields[3],
                           qso.fields[4], qso.fields[5], qso.fields[6]};
    QString text;
    for (const QString &line : contactInfoLines(lines.constFirst(), record))
        text += line + QLatin1String("\r\n");
    const card::SavedQso back = card::savedQsoFromLines(splitLines(encodeForRewrite(text, {})));
    if (back.fields != qso.fields || back.contactEmail != qso.contactEmail)
        std::abort();
    return 0;
}
