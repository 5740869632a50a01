#include "ScriptedDialogs.h"

#include <QWidget>

#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs()
{
    setUserDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setUserDialogs(nullptr);
}

QStringList ScriptedDialogs::texts(const QString &kind) const
{
    QStringList result;
    for (const Shown &s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

void ScriptedDialogs::information(const QString &text)
{
    shown.push_back({QStringLiteral("information"), text});
}

void ScriptedDialogs::warning(const QString &text)
{
    shown.push_back({QStringLiteral("warning"), text});
}

UserDialogs::Answer ScriptedDialogs::question(const QString &text, Buttons buttons)
{
    shown.push_back({QStringLiteral("question"), text});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedDialogs::errorReport(const QString &text)
{
    shown.push_back({QStringLiteral("error"), text});
}

QString ScriptedDialogs::saveFileName(const QString &title, const QString &initialDir,
                                      const QString &initialName, const QString &filter)
{
    shown.push_back({QStringLiteral("save"), title});
    lastInitialDir = initialDir;
    lastInitialName = initialName;
    lastFilter = filter;
    if (fileNames.empty())
        return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::openPictureFileName(const QString &title, const QString &initialDir,
                                             const QString &filter)
{
    const QString name = openFileName(title, initialDir, filter);
    shown.back().kind = QStringLiteral("open picture");
    return name;
}

QString ScriptedDialogs::openFileName(const QString &title, const QString &initialDir,
                                      const QString &filter)
{
    shown.push_back({QStringLiteral("open"), title});
    lastInitialDir = initialDir;
    lastFilter = filter;
    if (fileNames.empty())
        return QString();
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

bool ScriptedDialogs::printDialog(QPrinter &printer, const QString &proposedFile)
{
    lastProposedPrintFile = proposedFile;
    shown.push_back({QStringLiteral("print"), QString()});
    if (onPrint)
        onPrint(printer);
    if (printAnswers.empty())
        return false;
    const bool ok = printAnswers.front();
    printAnswers.pop_front();
    return ok;
}

void ScriptedDialogs::placePointer(int dx, int dy)
{
    shown.push_back({QStringLiteral("pointer"), QStringLiteral("%1,%2").arg(dx).arg(dy)});
}

void ScriptedDialogs::placePointerOn(const QWidget *widget, int dx, int dy)
{
    shown.push_back({QStringLiteral("pointer on"),
                     QStringLiteral("%1 %2,%3").arg(widget ? widget->objectName() : QString())
                         .arg(dx).arg(dy)});
}
