#include "PersistentWindow.h"

#include "DataFolder.h"
#include "IniFile.h"
#include "PersistedProperty.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    return executableFolder() + titleFromExecutable(QCoreApplication::applicationFilePath())
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
    applyGeometry(geometry[0], geometry[1], geometry[2], geometry[3]);
}

void PersistentWindow::applyGeometry(int top, int left, int width, int height)
{
    if (top != 0)
        move(x(), top);
    if (left != 0)
        move(left, y());
    if (width != 0)
        resize(qBound(minimumWidth(), width, maximumWidth()), this->height());
    if (height != 0)
        resize(this->width(), qBound(minimumHeight(), height, maximumHeight()));
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
