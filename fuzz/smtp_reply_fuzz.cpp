// Feeds arbitrary server bytes through the SMTP client's reply reading as the connection does:
// lines cut off the input buffer, trimmed, empty ones skipped, gathered into replies within
// their bounds; each complete reply's code is read and its EHLO capabilities parsed.
#include "MailErrors.h"
#include "ReplyReader.h"
#include "SmtpClient.h"
#include "TcpConnection.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray buffer(reinterpret_cast<const char *>(data), qsizetype(size));
    ReplyAssembler reply;
    QString line;
    try {
        while (cutLine(buffer, 1000, line)) {
            if (line.size() > 1000)
                std::abort();
            const QString trimmed = trimReplyLine(line);
            if (trimmed.isEmpty())
                continue;
            if (reply.addLine(trimmed) != ReplyAssembler::State::Complete)
                continue;
            if (reply.lines().isEmpty() || reply.lines().size() > ReplyAssembler::kMaxLines)
                std::abort();
            const int code = TcpConnection::replyCodeOf(reply.lines().last());
            if (code < 0 || code > 999)
                std::abort();
            const EhloCapabilities caps = SmtpClient::parseEhloCapabilities(reply.lines());
            for (const QString &scheme : caps.authSchemes)
                if (scheme.isEmpty() || scheme.contains(QLatin1Char(' ')) || scheme.contains(QLatin1Char('=')))
                    std::abort();
        }
    } catch (const ReplyLineTooLongError &) {
    } catch (const ReplyTooLargeError &) {
    }
    return 0;
}
