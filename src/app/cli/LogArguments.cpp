#include "LogArguments.h"

QString walkLogArguments(const QStringList &args, const LogArgumentRules &rules, QStringList &logs)
{
    bool onlyLogs = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (onlyLogs || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            logs << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyLogs = true;
            continue;
        }
        if (rules.flag(arg))
            continue;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? arg : arg.left(eq);
        if (!rules.valueOptions.contains(name))
            return QStringLiteral("unknown option %1").arg(arg);
        if (eq < 0 && i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString error = rules.value(name, eq < 0 ? args[++i] : arg.mid(eq + 1));
        if (!error.isEmpty())
            return error;
    }
    return QString();
}
