// Feeds arbitrary datagrams to the reader of logged-QSO messages and checks what it promises:
// a refused or ignored datagram gives no QSO, a QSO always has a call sign that shows (no
// control or format characters, no blanks around it), and its list row gives the call sign
// back.
#include "ListRow.h"
#include "MessageFrame.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool shows(QChar c)
{
    const QChar::Category category = c.category();
    return category != QChar::Other_Control && category != QChar::Other_Format
           && category != QChar::Separator_Line && category != QChar::Separator_Paragraph;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    const MessageFrame frame = readMessageFrame(datagram);
    switch (frame.verdict) {
    case FrameVerdict::Refused:
        if (!frame.record.isEmpty() || frame.reason.isEmpty() || !frame.clientId.isEmpty())
            std::abort();
        break;
    case FrameVerdict::Ignored:
        if (!frame.record.isEmpty() || size > std::size_t(LargestMessageSize))
            std::abort();
        break;
    case FrameVerdict::Qso: {
        const QString call = frame.record.value(AdifField::Call);
        if (call.isEmpty() || call != call.trimmed() || !std::all_of(call.cbegin(), call.cend(), shows)
            || size > std::size_t(LargestMessageSize))
            std::abort();
        // A call without commas comes back from its row as it was.
        const QsoRecord row = parseListRow(listRow(frame.record, QStringLiteral("100")));
        if (!call.contains(QLatin1Char(',')) && row.callSign != call)
            std::abort();
        break;
    }
    }
    return 0;
}
