#pragma once

#include <QString>
#include <QStringList>

// The files the mail component attaches, in order. Setting fileName to a name the list does
// not yet hold (compared without regard to letter case) appends it; an empty name changes
// nothing.
class AttachmentList
{
public:
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);

    const QStringList &attachedFiles() const { return m_attachedFiles; }
    void setAttachedFiles(const QStringList &files) { m_attachedFiles = files; }

private:
    QString m_fileName;
    QStringList m_attachedFiles;
};
