#include "PickLists.h"

const std::array<PickList, 4> &pickLists()
{
    static const std::array<PickList, 4> lists = {{
        {"Freq.txt", "EBFreq", 14},
        {"Power.txt", "RBPower", 9},
        {"Mode.txt", "RBMode", 8},
        {"Signal.txt", "EBSig", 16},
    }};
    return lists;
}

QString pickListControlName(const QString &prefix, int n)
{
    if (prefix.contains(QLatin1String("RB")))
        return prefix + QString::number(n);
    return prefix + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QList<PickListCaption> pickListCaptions(const PickList &list, const QStringList &lines)
{
    const QString prefix = QString::fromLatin1(list.controlPrefix);
    const bool radios = prefix.contains(QLatin1String("RB"));
    const int count = radios ? qMin<int>(lines.size(), list.controls) : list.controls;
    QList<PickListCaption> captions;
    for (int n = 1; n <= count; ++n)
        captions.append({pickListControlName(prefix, n), n <= lines.size() ? lines[n - 1] : QString()});
    return captions;
}
