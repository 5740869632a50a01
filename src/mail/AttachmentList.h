#pragma once

#include <QString>
#include <QStringList>

class Mailer;

// The files the mail component attaches, in order. Setting FileName to a name the list does
// not yet hold (compared without regard to letter case) appends it; an empty name changes
// nothing.
class AttachmentList
{
public:
    explicit AttachmentList(Mailer *owner) : m_owner(owner) {}

    QString FileName() const { return m_fileName; }
    void setFileName(const QString &fileName);

    const QStringList &AttachedFiles() const { return m_attachedFiles; }
    void setAttachedFiles(const QStringList &files) { m_attachedFiles = files; }

    Mailer *owner() const { return m_owner; }

private:
    Mailer *m_owner;
    QString m_fileName;
    QStringList m_attachedFiles;
};
