#include "HelpWindow.h"

#include <QFileInfo>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The guide compiled into the program (data/help).
const QString kBuiltInFolder = QStringLiteral(":/help/");

} // namespace

GuideBrowser::GuideBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    // http, https and mailto go to the desktop; pages and anchors of the guide stay here.
    setOpenExternalLinks(true);
}

QVariant GuideBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl resolved = source().resolved(name);
    if (resolved.isLocalFile() && !QFileInfo::exists(resolved.toLocalFile())) {
        const QString builtIn = kBuiltInFolder + QFileInfo(resolved.toLocalFile()).fileName();
        if (QFileInfo::exists(builtIn))
            return QTextBrowser::loadResource(type, QUrl(QStringLiteral("qrc") + builtIn));
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString &page, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_page(page)
    , m_browser(new GuideBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(760, 600);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(m_browser->documentTitle().isEmpty() ? QStringLiteral("Kartello Help")
                                                            : m_browser->documentTitle());
    });
}

void HelpWindow::showGuide()
{
    const QUrl page = QFileInfo::exists(m_page) ? QUrl::fromLocalFile(m_page)
                                                : QUrl(QStringLiteral("qrc") + kBuiltInFolder
                                                       + QStringLiteral("Kartello.html"));
    // The page is read anew each time, so an edited guide shows its edits.
    if (m_browser->source() == page)
        m_browser->reload();
    else
        m_browser->setSource(page);
    m_browser->clearHistory();
    show();
    raise();
    activateWindow();
}
