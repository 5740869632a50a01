#include "ContactEmail.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(ContactEmail, AddressTest)
{
    struct Row { QString text; bool accepted; };
    const Row rows[] = {
        {"Contact's Email", false}, {"contact's email@x", true}, {"", false}, {"@", false},
        {"@arrl.net", false}, {"@qsl.net", false}, {"@gmail.com", false}, {"k1abc@", false},
        {"K1ABC", false}, {"a@b", true}, {"K1ABC@arrl.net", true}, {"K1ABC@qsl.net", true},
        {"a b@c d", true}, {"a@@b", true}, {" @b", true}, {"a@ ", true},
        {"Contact's Email@arrl.net", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.accepted, isAcceptableAddress(row.text)) << row.text.toStdString();
}

TEST(ContactEmail, ChangeRule)
{
    struct Row { QString typed, shown; };
    const Row rows[] = {
        {"k1abc..", "k1abc@"}, {"k1abc...", "k1abc@."}, {"k1abc..arrl..net", "k1abc@arrl..net"},
        {"k1abc", "K1ABC"}, {"k1abc.", "K1ABC."}, {"k1abc@arrl.net", "k1abc@arrl.net"},
        {"Contact's Email", "Contact's Email"}, {"contact's email", "CONTACT'S EMAIL"}, {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.shown, emailAfterChange(row.typed)) << row.typed.toStdString();
}

TEST(ContactEmail, EnteringTheFieldOffersTheFirstDomain)
{
    EXPECT_EQ(QStringLiteral("K1ABC@arrl.net"), emailOnEnter("K1ABC", "typed@example.com"));
    EXPECT_EQ(QStringLiteral("K1ABC/P@arrl.net"), emailOnEnter("K1ABC/P", "Contact's Email"));
    EXPECT_EQ(QStringLiteral("typed@example.com"), emailOnEnter("", "typed@example.com"));
}

TEST(ContactEmail, PopupItems)
{
    struct Row { int position; QString text, callSign, result; };
    const Row rows[] = {
        {0, "x@y", "K1ABC", "K1ABC@"},
        {1, "K1ABC", "K1ABC", "K1ABC@"},
        {1, "k1abc@x", "K1ABC", "k1abc@x"},
        {1, "Contact's Email", "", "@"},
        {2, "k1abc@gmail.com", "", "K1ABC@arrl.net"},
        {3, "k1abc@gmail.com", "", "K1ABC@qsl.net"},
        {2, "K1ABC", "", "K1ABC@arrl.net"},
        {3, "op@", "", "OP@qsl.net"},
        {2, "Contact's Email", "K1ABC", "@arrl.net"},
        {4, "k1abc@x", "", "k1abc@x"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.result, emailAfterMenuItem(row.position, row.text, row.callSign))
            << row.position << " on " << row.text.toStdString();
}
