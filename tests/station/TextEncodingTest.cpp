#include "DataFolder.h"
#include "IniFile.h"
#include "QtPrinters.h"
#include "TextEncoding.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kBom("\xEF\xBB\xBF");

// One file as an operator brings it: its bytes, the text Kartello shows, and the bytes written
// back when the text is replaced by `edited` (the same text when empty).
struct EncodingRow {
    const char *name;
    QByteArray bytes;
    TextEncoding encoding;
    QString text;
    QString edited;
    QByteArray written;
};

void PrintTo(const EncodingRow &row, std::ostream *os) { *os << row.name; }

class FileEncodings : public ::testing::TestWithParam<EncodingRow>
{
};

TEST_P(FileEncodings, ReadsAsDetected)
{
    const EncodingRow &row = GetParam();
    EXPECT_EQ(row.encoding, detectEncoding(row.bytes));
    EXPECT_EQ(row.text, decodeText(row.bytes));
}

TEST_P(FileEncodings, WritesBackInTheEncodingItHad)
{
    const EncodingRow &row = GetParam();
    const QString text = row.edited.isEmpty() ? decodeText(row.bytes) : row.edited;
    EXPECT_EQ(row.written, encodeForRewrite(text, row.bytes));
}

// The same through the data-file functions: a file read and written unchanged keeps its bytes.
TEST_P(FileEncodings, DataFileRoundTrip)
{
    const EncodingRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dfile.qec"));
    putBytes(path, row.bytes + "\r\nline 2\r\n");
    QStringList lines = loadLines(path);
    ASSERT_EQ(2, lines.size());
    EXPECT_EQ(row.text, lines.at(0));
    if (!row.edited.isEmpty())
        lines[0] = row.edited;
    saveLines(path, lines);
    EXPECT_EQ(row.written + "\r\nline 2\r\n", fileBytes(path));
}

const QString kJuergen = QString::fromUtf8("J\xc3\xbcrgen M\xc3\xbcller");

INSTANTIATE_TEST_SUITE_P(
    Rows, FileEncodings,
    ::testing::Values(
        EncodingRow{"Ascii", "K1ABC", TextEncoding::Utf8, "K1ABC", {}, "K1ABC"},
        EncodingRow{"Utf8", "J\xc3\xbcrgen M\xc3\xbcller", TextEncoding::Utf8, kJuergen, {},
                    "J\xc3\xbcrgen M\xc3\xbcller"},
        EncodingRow{"Utf8WithBom", kBom + "J\xc3\xbcrgen M\xc3\xbcller",
                    TextEncoding::Utf8WithBom, kJuergen, {}, kBom + "J\xc3\xbcrgen M\xc3\xbcller"},
        EncodingRow{"Windows1252", "J\xfcrgen M\xfcller", TextEncoding::Windows1252, kJuergen, {},
                    "J\xfcrgen M\xfcller"},
        EncodingRow{"Windows1252Euro", "\x80 5 \x93ok\x94", TextEncoding::Windows1252,
                    QString::fromUtf8("\xe2\x82\xac 5 \xe2\x80\x9cok\xe2\x80\x9d"), {},
                    "\x80 5 \x93ok\x94"},
        EncodingRow{"Windows1252Unassigned", "a\x81\x8d\x8f\x90\x9d", TextEncoding::Windows1252,
                    QString::fromUtf16(u"a\u0081\u008d\u008f\u0090\u009d"), {},
                    "a\x81\x8d\x8f\x90\x9d"},
        EncodingRow{"Windows1252EditedToFit", "J\xfcrgen", TextEncoding::Windows1252,
                    QString::fromUtf8("J\xc3\xbcrgen"), QString::fromUtf8("\xc3\x84gir"),
                    "\xc4gir"},
        EncodingRow{"Windows1252EditedBeyond", "J\xfcrgen", TextEncoding::Windows1252,
                    QString::fromUtf8("J\xc3\xbcrgen"), QString::fromUtf8("J\xc3\xbcrgen \xce\xa9"),
                    "J\xc3\xbcrgen \xce\xa9"},
        EncodingRow{"AsciiEditedToUmlaut", "Juergen", TextEncoding::Utf8, "Juergen",
                    QString::fromUtf8("J\xc3\xbcrgen"), "J\xc3\xbcrgen"},
        EncodingRow{"TruncatedUtf8", "ab\xc3", TextEncoding::Windows1252,
                    QString::fromUtf8("ab\xc3\x83"), {}, "ab\xc3"},
        EncodingRow{"OverlongUtf8", "\xc0\xaf", TextEncoding::Windows1252,
                    QString::fromUtf8("\xc3\x80\xc2\xaf"), {}, "\xc0\xaf"},
        EncodingRow{"EncodedSurrogate", "\xed\xa0\x80", TextEncoding::Windows1252,
                    QString::fromUtf8("\xc3\xad\xc2\xa0\xe2\x82\xac"), {}, "\xed\xa0\x80"}),
    [](const auto &info) { return std::string(info.param.name); });

// A file rewritten with some lines changed: the lines nobody edited read back as they were.
struct RewriteRow {
    const char *name;
    QByteArray previous;
    QStringList lines;
    QByteArray written;
};

void PrintTo(const RewriteRow &row, std::ostream *os) { *os << row.name; }

class RewrittenFiles : public ::testing::TestWithParam<RewriteRow>
{
};

TEST_P(RewrittenFiles, ReadBackAsTheSameText)
{
    const RewriteRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dfile.qec"));
    putBytes(path, row.previous);
    saveLines(path, row.lines);
    EXPECT_EQ(row.written, fileBytes(path));
    EXPECT_EQ(row.lines, loadLines(path));
}

const QString kMojibake = QString::fromUtf8("\xc3\x83\xc2\xa9"); // "\xc3\xa9" read as Windows-1252

INSTANTIATE_TEST_SUITE_P(
    Rows, RewrittenFiles,
    ::testing::Values(
        RewriteRow{"Windows1252BytesThatWouldReadAsUtf8", "\xff\r\n\xc3\xa9\r\n",
                   {"x", kMojibake}, "x\r\n\xc3\x83\xc2\xa9\r\n"},
        RewriteRow{"Windows1252KeptWhileNotUtf8", "\xff\r\n\xc3\xa9\r\n",
                   {QString::fromUtf8("\xc3\xbf" "2"), kMojibake}, "\xff" "2\r\n\xc3\xa9\r\n"},
        RewriteRow{"Windows1252MarkLettersFirst", "\xfc\r\n",
                   {QString::fromUtf8("\xc3\xaf\xc2\xbb\xc2\xbfx")},
                   "\xc3\xaf\xc2\xbb\xc2\xbfx\r\n"},
        RewriteRow{"Utf8TextStartingWithMark", "a\r\n", {QString(QChar(0xFEFF)) + QStringLiteral("x")},
                   kBom + kBom + "x\r\n"},
        RewriteRow{"MarkedUtf8TextStartingWithMark", kBom + "a\r\n",
                   {QString(QChar(0xFEFF)) + QStringLiteral("x")}, kBom + kBom + "x\r\n"},
        RewriteRow{"NewFileWithMarkLetters", {}, {QString(QChar(0xFEFF))},
                   kBom + kBom + "\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

// The state file in Windows-1252: moving the window does not change a remembered file name.
TEST(Windows1252, StateFileKeepsNamesNobodyEdited)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    putBytes(path, "[Form1]\r\nTop=\xb5\r\nOpenDialog1.FileName=/q/\xc3\xa9.adi\r\n");
    IniFile ini(path);
    ini.load();
    ini.setValue("Form1", "Top", "120");
    ini.save();
    IniFile again(path);
    again.load();
    EXPECT_EQ(QStringLiteral("/q/") + kMojibake + QStringLiteral(".adi"),
              again.value("Form1", "OpenDialog1.FileName"));
}

TEST(Windows1252, EveryByteReadsBackToItself)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(256, text.size());
    bool ok = false;
    EXPECT_EQ(all, encodeWindows1252(text, &ok));
    EXPECT_TRUE(ok);
    // Only the bytes 0x80..0x9F differ from Latin-1, and no two bytes share a character.
    int differing = 0;
    for (int b = 0; b < 256; ++b)
        differing += text.at(b).unicode() != b;
    EXPECT_EQ(27, differing);
}

TEST(Windows1252, CharactersOutsideTheCodePageDoNotFit)
{
    struct Row { const char16_t *text; bool fits; };
    const Row rows[] = {
        {u"M\u00fcller", true}, {u"\u20ac", true}, {u"\u0178", true},
        {u"\u0100", false}, {u"\u4e1c", false}, {u"\U0001F600", false}, {u"\u2028", false},
    };
    for (const Row &row : rows) {
        bool ok = !row.fits;
        encodeWindows1252(QString::fromUtf16(row.text), &ok);
        EXPECT_EQ(row.fits, ok) << QString::fromUtf16(row.text).toStdString();
    }
}

// The state file is read and written the same way: an 8-bit file dialog folder survives.
TEST(Windows1252, StateFileKeepsAnEightBitFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    const QByteArray bytes("[Form1]\r\nSaveDialog1.InitialDir=/home/op/K\xe4rtchen/\r\nTop=10\r\n");
    putBytes(path, bytes);
    IniFile ini(path);
    ini.load();
    EXPECT_EQ(QString::fromUtf8("/home/op/K\xc3\xa4rtchen/"),
              ini.value(QStringLiteral("Form1"), QStringLiteral("SaveDialog1.InitialDir")));
    ini.setValue(QStringLiteral("Form1"), QStringLiteral("Top"), QStringLiteral("10"));
    ini.save();
    EXPECT_EQ(bytes, fileBytes(path));
}

} // namespace
