#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The pick lists of the data folder: each line of a list is the caption of one quick-pick
// control, in order.
struct PickList {
    const char *file;           // the list's file in the data folder
    const char *controlPrefix;  // the controls' names start with it
    int controls;               // how many controls the list feeds
};

// "Freq.txt", "Power.txt", "Mode.txt" and "Signal.txt", in the order start-up reads them.
const std::array<PickList, 4> &pickLists();

// The name of control n (1-based) of a list: radios ("RB...") are numbered plainly (RBPower3),
// buttons with two digits (EBFreq03).
QString pickListControlName(const QString &prefix, int n);

struct PickListCaption {
    QString control;
    QString caption;
};

// The captions that lines give a list's controls. Buttons past the end of the file get an
// empty caption; radios past the end keep the caption they have, so they are not listed.
QList<PickListCaption> pickListCaptions(const PickList &list, const QStringList &lines);
