#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A plain INI file: "[Section]" lines and "Key=Value" lines, nothing quoted or escaped, so the
// state file reads exactly as written ("RBBkgClr6.Checked=TRUE"). Section and key names compare
// case-insensitively; values are kept exactly (after the first '='). Lines that are neither
// (comments, blanks) are kept in place when the file is written back.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    // Reads the file; a missing or unreadable file reads as empty.
    void load();
    // Writes the file whole (write and rename). Throws "Cannot create file <path>".
    void save() const;

    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    // Sets a value, adding the section and key when missing. A value holding a line break
    // cannot be stored on one line and is not written.
    void setValue(const QString &section, const QString &key, const QString &value);
    int intValue(const QString &section, const QString &key, int defaultValue) const;

    QString path() const { return m_path; }

private:
    struct Line {
        QString text;      // the line as it stands in the file
        QString section;   // the section the line lies in
        QString key;       // empty unless a "Key=Value" line
    };
    int findKey(const QString &section, const QString &key) const;
    int findSectionEnd(const QString &section) const;

    QString m_path;
    std::vector<Line> m_lines;
};
