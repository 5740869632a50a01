#pragma once

#include <QObject>
#include <QString>

// What one file dialog of the main window remembers between runs: the folder it opens on
// and the file last chosen. The dialog itself is shown through userDialogs().
class FileDialogMemory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString InitialDir READ initialDir WRITE setInitialDir)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)
public:
    explicit FileDialogMemory(const QString &name, QObject *parent)
        : QObject(parent)
    {
        setObjectName(name);
    }

    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString &dir) { m_initialDir = dir; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &name) { m_fileName = name; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }

private:
    QString m_initialDir;
    QString m_fileName;
    QString m_filter;
};
