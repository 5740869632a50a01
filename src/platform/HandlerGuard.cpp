#include "HandlerGuard.h"

#include "KartelloError.h"
#include "UserDialogs.h"

#include <exception>

QString currentErrorText()
{
    try {
        throw;
    } catch (const KartelloError &e) {
        return e.text();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

bool guarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        const QString text = currentErrorText();
        try {
            userDialogs().errorReport(text);
        } catch (...) {
            // The report itself failed; there is nowhere left to show it.
        }
        return false;
    }
}
