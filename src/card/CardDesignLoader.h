#pragma once

#include <QString>
#include <QStringList>

class CardDocument;

// Loads into document the card design that the main window shows when it starts with the
// state file and the data folder: the remembered check boxes, radios and track bars take
// effect in the order the window restores them (a style panel's choices one after another,
// as their handlers would), then the creation steps read "Info.txt", the pick lists,
// "prefs.txt", "gfile.qec" and "dfile.qec", and the card options are applied as on the
// window's first activation. Nothing is shown and nothing is written.
struct LoadedDesign
{
    QStringList problems;   // the error texts the window would have reported, in order
    QString defaultPower;   // the power field's text as the window starts
    QStringList identity;   // the identity edits' texts, in the order of "dfile.qec"
};
LoadedDesign loadCardDesign(CardDocument &document, const QString &stateFile);
