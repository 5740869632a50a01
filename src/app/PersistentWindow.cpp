#include "PersistentWindow.h"

#include "DataFolder.h"
#include "FilePlaces.h"
#include "IniFile.h"
#include "PersistedProperty.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace {

const char *const kGeometryKeys[] = {"Top", "Left", "Width", "Height"};

void collectChildren(const QObject *parent, QList<QObject *> &out)
{
    for (QObject *child : parent->children()) {
        out << child;
        collectChildren(child, out);
    }
}

} // namespace

PersistentWindow::PersistentWindow(QWidget *parent)
    : QWidget(parent)
{
    m_useStateFile = true;
    fillPropertyList(m_propertyList);
}

PersistentWindow::~PersistentWindow()
{
    // The window's components are still alive here (QWidget deletes them later). A failed
    // write must not escape a destructor; the state is simply not remembered.
    try {
        storeState();
    } catch (...) {
    }
}

QString PersistentWindow::titleFromExecutable(const QString &executableFile)
{
    const QString base = QFileInfo(executableFile).completeBaseName();
    return base.left(1).toUpper() + base.mid(1).toLower();
}

QString PersistentWindow::stateFilePath()
{
    return filePlaces().stateFolder + titleFromExecutable(QCoreApplication::applicationFilePath())
           + QStringLiteral(".ini");
}

void PersistentWindow::fillPropertyList(QStringList &list)
{
    list = QStringList{QStringLiteral("Checked"), QStringLiteral("FileName"),
                       QStringLiteral("InitialDir"), QStringLiteral("Position")};
}

bool PersistentWindow::isPersistedProperty(const QString &className,
                                          const QString &propertyName) const
{
    return m_propertyList.contains(propertyName, Qt::CaseInsensitive)
           || m_propertyList.contains(className + QLatin1Char('.') + propertyName,
                                      Qt::CaseInsensitive);
}

QList<QObject *> PersistentWindow::componentsInCreationOrder() const
{
    QList<QObject *> all;
    collectChildren(this, all);
    QList<QObject *> named;
    for (QObject *o : all)
        if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")))
            named << o;
    return named;
}

void PersistentWindow::loadProperties(IniFile &ini)
{
    for (QObject *component : componentsInCreationOrder()) {
        const QString className = QString::fromLatin1(component->metaObject()->className());
        for (const QString &name : std::as_const(m_propertyList)) {
            if (name.contains(QLatin1Char('.')) || !isPersistedProperty(className, name))
                continue;
            const QString key = component->objectName() + QLatin1Char('.') + name;
            const QString text = ini.value(m_section, key);
            if (!text.isEmpty())
                applyPersistedValue(component, name, text);
        }
    }
}

void PersistentWindow::saveProperties(IniFile &ini)
{
    for (QObject *component : componentsInCreationOrder()) {
        const QString className = QString::fromLatin1(component->metaObject()->className());
        for (const QString &name : std::as_const(m_propertyList)) {
            if (name.contains(QLatin1Char('.')) || !isPersistedProperty(className, name))
                continue;
            const QString text = persistedValueText(component, name);
            if (!text.isEmpty())
                ini.setValue(m_section, component->objectName() + QLatin1Char('.') + name, text);
        }
    }
}

void PersistentWindow::restoreState()
{
    if (m_storeFileName.isEmpty())
        m_storeFileName = stateFilePath();
    m_section = objectName();
    IniFile ini(m_storeFileName);
    ini.load();
    int geometry[4];
    for (int i = 0; i < 4; ++i)
        geometry[i] = ini.intValue(m_section, QString::fromLatin1(kGeometryKeys[i]), 0);
    loadProperties(ini);
    applyGeometry({geometry[0], geometry[1], geometry[2], geometry[3]});
}

void PersistentWindow::applyGeometry(const StoredGeometry &stored)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect();
    const QRect place = restoredGeometry(stored, QRect(pos(), size()), minimumSize(),
                                         maximumSize(), desktop);
    move(place.topLeft());
    resize(place.size());
}

QRect restoredGeometry(const StoredGeometry &stored, const QRect &current, const QSize &minimum,
                       const QSize &maximum, const QRect &desktop)
{
    // The title bar's height and the part of it the pointer needs to take hold of the window.
    constexpr qint64 kTitleBar = 26, kGrip = 40;
    const int width = stored.width != 0
                          ? qBound(minimum.width(), stored.width, maximum.width())
                          : current.width();
    const int height = stored.height != 0
                           ? qBound(minimum.height(), stored.height, maximum.height())
                           : current.height();
    const qint64 left = stored.left, top = stored.top;
    const qint64 deskLeft = desktop.x(), deskTop = desktop.y();
    const qint64 deskRight = deskLeft + desktop.width(), deskBottom = deskTop + desktop.height();
    const bool leftReachable = left + width >= deskLeft + kGrip && left <= deskRight - kGrip;
    const bool topReachable = top >= deskTop && top + kTitleBar <= deskBottom;
    const int x = stored.left != 0 && leftReachable ? stored.left : current.x();
    const int y = stored.top != 0 && topReachable ? stored.top : current.y();
    return QRect(x, y, width, height);
}

void PersistentWindow::storeState()
{
    if (m_stored || !m_useStateFile || m_storeFileName.isEmpty())
        return;
    m_stored = true;
    m_section = objectName();
    IniFile ini(m_storeFileName);
    ini.load();
    const int geometry[4] = {y(), x(), width(), height()};
    for (int i = 0; i < 4; ++i)
        ini.setValue(m_section, QString::fromLatin1(kGeometryKeys[i]), QString::number(geometry[i]));
    saveProperties(ini);
    ini.save();
}
