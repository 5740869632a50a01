#include "IniFile.h"

#include "DataFolder.h"

#include <QFile>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

void IniFile::load()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString section;
    for (const QString &text : splitLines(file.readAll())) {
        Line line{text, section, QString()};
        const QString name = sectionName(text);
        if (!name.isEmpty()) {
            section = name;
            line.section = name;
        } else {
            const int eq = text.indexOf(QLatin1Char('='));
            const bool comment = text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'));
            if (eq > 0 && !comment)
                line.key = text.left(eq).trimmed();
        }
        m_lines.push_back(line);
    }
}

void IniFile::save() const
{
    QStringList texts;
    for (const Line &line : m_lines)
        texts << line.text;
    saveLines(m_path, texts);
}

int IniFile::findKey(const QString &section, const QString &key) const
{
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line &l = m_lines[size_t(i)];
        if (!l.key.isEmpty() && sameName(l.section, section) && sameName(l.key, key))
            return i;
    }
    return -1;
}

// Index just after the last line of the section, or -1 when the section is missing.
int IniFile::findSectionEnd(const QString &section) const
{
    int end = -1;
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line &l = m_lines[size_t(i)];
        if (sameName(l.section, section) && (end >= 0 || !sectionName(l.text).isEmpty()))
            end = i + 1;
        else if (end >= 0)
            break;
    }
    // Keep blank lines that separate sections after the new key.
    while (end > 0 && m_lines[size_t(end - 1)].key.isEmpty()
           && m_lines[size_t(end - 1)].text.trimmed().isEmpty())
        --end;
    return end;
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return defaultValue;
    const QString &text = m_lines[size_t(i)].text;
    return text.mid(text.indexOf(QLatin1Char('=')) + 1);
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = value(section, key).trimmed();
    bool ok = false;
    const int v = isDecimalInteger(text) ? text.toInt(&ok, 10) : 0;
    return ok ? v : defaultValue;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
        return;
    const Line line{key + QLatin1Char('=') + value, section, key};
    const int i = findKey(section, key);
    if (i >= 0) {
        m_lines[size_t(i)].text = line.text;
        return;
    }
    int end = findSectionEnd(section);
    if (end < 0) {
        if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back(Line{QString(), m_lines.back().section, QString()});
        m_lines.push_back(Line{QLatin1Char('[') + section + QLatin1Char(']'), section, QString()});
        end = int(m_lines.size());
    }
    m_lines.insert(m_lines.begin() + end, line);
}
