#pragma once

#include <QStringList>
#include <QWidget>

class IniFile;

// The window geometry kept in the state file; 0 stands for "not stored".
struct StoredGeometry {
    int top = 0, left = 0, width = 0, height = 0;
};

// Where a restored window goes. Width and height are bounded by the window's limits. A stored
// left or top is applied only when the window then stays reachable on the desktop: its title
// bar lies within the desktop's height and at least a grip of its width within the desktop's
// width; otherwise that value counts as not stored and the current one stays. Computed in
// 64 bits, so no stored value can overflow.
QRect restoredGeometry(const StoredGeometry &stored, const QRect &current, const QSize &minimum,
                       const QSize &maximum, const QRect &desktop);

// A window that remembers, between runs, its position and size and a few properties of every
// component it owns, in the INI state file beside the executable (section = the window's
// objectName). The remembered properties are "Checked" (check boxes, radio buttons, checkable
// menu items), "Position" (remembered sliders), "InitialDir" and "FileName" (any object
// carrying a property of that name, such as a file dialog's memory).
//
// Order of use: the derived window builds its components and connects their handlers, then
// calls restoreState() before its own creation handler, so that restoring a checked state runs
// the control's handler exactly as a click would. The state is written once, by storeState()
// or at the latest when the window is destroyed.
class PersistentWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PersistentWindow(QWidget *parent = nullptr);
    ~PersistentWindow() override;

    // Full path of the state file; empty until restoreState() fills in the default
    // (stateFilePath()). Set it beforehand to use another file.
    QString storeFileName() const { return m_storeFileName; }
    void setStoreFileName(const QString &path) { m_storeFileName = path; }
    QString section() const { return m_section; }

    // The state folder (FilePlaces.h) + title + ".ini", the title being the executable's base name
    // with the first character in upper case and the rest in lower case.
    static QString stateFilePath();
    static QString titleFromExecutable(const QString &executableFile);

    void restoreState();
    void storeState();
    // Leaves the state file as it is when the window goes: a window made for a command-line
    // run reads the operator's state and must not change it.
    void leaveStateFileAlone() { m_stored = true; }

protected:
    virtual void saveProperties(IniFile &ini);
    virtual void loadProperties(IniFile &ini);
    virtual bool isPersistedProperty(const QString &className, const QString &propertyName) const;
    virtual void fillPropertyList(QStringList &list);

private:
    QList<QObject *> componentsInCreationOrder() const;
    void applyGeometry(const StoredGeometry &stored);

    QString m_storeFileName;
    QString m_section;
    QStringList m_propertyList;
    bool m_useStateFile = false;
    bool m_stored = false;
};
