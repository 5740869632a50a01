#include "AttachmentList.h"

void AttachmentList::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    if (!fileName.isEmpty() && !m_attachedFiles.contains(fileName, Qt::CaseInsensitive))
        m_attachedFiles.append(fileName);
}
