#pragma once

#include <QString>
#include <QStringList>

#include <deque>

struct HeaderCharset;

// One mailbox: the bare address ("op@example.org") and an optional display name.
class EmailAddress
{
public:
    EmailAddress() = default;
    EmailAddress(const QString &address, const QString &name = QString())
        : address(address), name(name) {}

    QString address;
    QString name;

    // The form written into a header: the bare address when there is no name; a quoted
    // name and the address in angle brackets when the name is plain printable ASCII; an
    // encoded name (RFC 2047) and the address in angle brackets otherwise.
    QString text() const;
    QString text(const HeaderCharset &charset) const;
};

// An ordered list of mailboxes. add() returns the new entry; the reference stays valid
// while entries are only added (a deque never moves its elements on push_back).
class EmailAddressList
{
public:
    EmailAddress &add(const QString &address = QString(), const QString &name = QString());
    void clear() { m_items.clear(); }
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    EmailAddress &operator[](int index);
    const EmailAddress &operator[](int index) const;

    // The entries' written forms joined by ", ".
    QString emailAddresses() const;
    QString emailAddresses(const HeaderCharset &charset) const;

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::deque<EmailAddress> m_items;
};
