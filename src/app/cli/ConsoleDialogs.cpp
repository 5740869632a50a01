#include "ConsoleDialogs.h"

UserDialogs::Answer ConsoleDialogs::question(const QString &text, Buttons buttons)
{
    m_messages << text;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

QStringList ConsoleDialogs::takeMessages()
{
    QStringList messages;
    messages.swap(m_messages);
    return messages;
}
