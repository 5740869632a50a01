#include "EntryEdit.h"
#include "OneLineText.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

namespace {

struct OneLineRow {
    const char *name;
    QString text;
    int cursor;
    QString expected;
    int expectedCursor;
};

void PrintTo(const OneLineRow &row, std::ostream *os) { *os << row.name; }

class OneLineTexts : public ::testing::TestWithParam<OneLineRow>
{
};

TEST_P(OneLineTexts, KeepsOneLine)
{
    const OneLineRow &row = GetParam();
    int cursor = row.cursor;
    EXPECT_EQ(row.expected.toStdString(), oneLineText(row.text, &cursor).toStdString());
    EXPECT_EQ(row.expectedCursor, cursor);
    EXPECT_EQ(row.expected.toStdString(), oneLineText(row.text).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OneLineTexts,
    ::testing::Values(
        OneLineRow{"Plain", "DL2XYZ", 3, "DL2XYZ", 3},
        OneLineRow{"TrailingLf", "DL2XYZ\n", 7, "DL2XYZ", 6},
        OneLineRow{"TrailingCrLf", "DL2XYZ\r\n", 8, "DL2XYZ", 6},
        OneLineRow{"LeadingCrLf", "\r\nDL2XYZ", 2, "DL2XYZ", 0},
        OneLineRow{"InnerBreak", "Main St\r\nApt 4", 9, "Main St Apt 4", 8},
        OneLineRow{"SeveralBreaks", "a\n\n\r\nb", 5, "a b", 2},
        OneLineRow{"LoneCr", "a\rb", 3, "a b", 3},
        OneLineRow{"UnicodeSeparators", QString::fromUtf16(u"a\u2028b\u2029c\u0085d"), 7,
                   "a b c d", 7},
        OneLineRow{"Tab", "K1ABC\t599", 9, "K1ABC 599", 9},
        OneLineRow{"Controls", QString::fromUtf16(u"a\u0001b\u001bc\u007fd\u0090e\u0000f", 11), 11,
                   "abcdef", 6},
        OneLineRow{"CursorBeforeDropped", "ab\u0001cd", 2, "abcd", 2},
        OneLineRow{"CursorAfterDropped", "ab\u0001cd", 3, "abcd", 2},
        OneLineRow{"SpacesKept", "  x  ", 5, "  x  ", 5},
        OneLineRow{"Umlaut", QString::fromUtf8("J\xc3\xbcrgen"), 6, QString::fromUtf8("J\xc3\xbcrgen"),
                   6},
        OneLineRow{"Emoji", QString::fromUtf16(u"a\U0001F600\nb"), 4,
                   QString::fromUtf16(u"a\U0001F600 b"), 4},
        OneLineRow{"OnlyBreaks", "\r\n\r\n", 2, "", 0},
        OneLineRow{"Empty", "", 0, "", 0}),
    [](const auto &info) { return std::string(info.param.name); });

// Pasted text reaches the field through the rule; so does a programmatic set.
enum class Entry { Paste, SetText };

struct FieldRow {
    const char *name;
    Entry entry;
    bool entryEdit;   // an entry edit (true) or a plain edit with the validator
};

void PrintTo(const FieldRow &row, std::ostream *os) { *os << row.name; }

class OneLineFields : public ::testing::TestWithParam<FieldRow>
{
};

TEST_P(OneLineFields, NeverHoldALineBreak)
{
    const FieldRow &row = GetParam();
    QWidget window;
    EntryEdit entry(&window);
    QLineEdit plain(&window);
    plain.setValidator(new OneLineValidator(&plain));
    QLineEdit &edit = row.entryEdit ? static_cast<QLineEdit &>(entry) : plain;
    edit.setText(QStringLiteral("K"));
    edit.end(false);
    const QString incoming = QStringLiteral("dl2xyz\r\n");
    switch (row.entry) {
    case Entry::Paste:
        QGuiApplication::clipboard()->setText(incoming);
        edit.paste();
        break;
    case Entry::SetText:
        edit.setText(QStringLiteral("K") + incoming);
        break;
    }
    EXPECT_EQ("Kdl2xyz", edit.text().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OneLineFields,
    ::testing::Values(FieldRow{"EntryEditPaste", Entry::Paste, true},
                      FieldRow{"EntryEditSetText", Entry::SetText, true},
                      FieldRow{"PlainEditPaste", Entry::Paste, false},
                      FieldRow{"PlainEditSetText", Entry::SetText, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
