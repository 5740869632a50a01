// Feeds arbitrary text as a QSO list row, and arbitrary field values through a row and back:
// a row is one line, and its fields come back as the batch runs read them.
#include "ListRow.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)parseListRow(text);
    if (isDecimalNumber(text) != formatFrequency(text).has_value())
        std::abort();

    // Eight values separated by 0x1F, as a record would hold them.
    const QStringList values = text.split(QChar(0x1F));
    AdifRecord record;
    for (int i = 0; i < adifFieldCount && i < values.size(); ++i)
        record.setIfAbsent(AdifField(i), values[i]);
    if (!isDecimalNumber(record.value(AdifField::Freq)))
        return 0;
    const QString row = listRow(record, QStringLiteral("5"));
    for (const QChar c : row)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c.category() == QChar::Other_Control)
            std::abort();
    for (int i = 0; i < adifFieldCount; ++i)
        if (record.value(AdifField(i)).contains(QLatin1Char(',')))
            return 0;
    const QsoRecord back = parseListRow(row);
    if (back.callSign != record.value(AdifField::Call).trimmed()
        || back.freq != *formatFrequency(record.value(AdifField::Freq))
        || back.email != record.value(AdifField::Email))
        std::abort();
    return 0;
}
