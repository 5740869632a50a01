// Feeds arbitrary datagrams to the reader of logged-QSO messages and checks what it promises:
// a refused or ignored datagram gives no QSO, a QSO always has a call sign, and its list row
// gives the call sign back.
#include "ListRow.h"
#include "MessageFrame.h"

#include <cstdint>
#include <cstdlib>

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
        if (frame.record.value(AdifField::Call).trimmed().isEmpty() || size > std::size_t(LargestMessageSize))
            std::abort();
        // A call without commas comes back from its row as it was, less the blanks around it.
        const QString call = frame.record.value(AdifField::Call);
        const QsoRow row = parseListRow(listRow(frame.record, QStringLiteral("100")));
        if (!call.contains(QLatin1Char(',')) && row.callSign != call.trimmed())
            std::abort();
        break;
    }
    }
    return 0;
}
