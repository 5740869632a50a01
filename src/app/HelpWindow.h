#pragma once

#include <QTextBrowser>
#include <QWidget>

// The user guide's viewer: a page and its pictures from the guide's folder; a picture missing
// there (a copy of the program carried without it) comes from the guide built into the
// program. Links within the guide stay in it; links to the web and to mail open in the
// desktop's own programs.
class GuideBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit GuideBrowser(QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;
};

// The user guide Kartello.html in a window of Kartello's own, so that Help shows it whatever
// browser the desktop has or lacks. Created hidden; the Help buttons show it.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // page: the guide's file (beside the program or in the installed share folder); without
    // it the guide built into the program is shown.
    explicit HelpWindow(const QString &page, QWidget *parent = nullptr);

    GuideBrowser *browser() const { return m_browser; }
    // Shows the window in front, the page read anew from its file.
    void showGuide();

private:
    QString m_page;
    GuideBrowser *m_browser;
};
