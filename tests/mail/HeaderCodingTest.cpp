#include "MailCoders.h"
#include "HeaderCoding.h"

#include <QBuffer>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const HeaderCharset kLatin1{QStringLiteral("ISO-8859-1"), 'Q'};
const HeaderCharset kJapanese{QStringLiteral("ISO-2022-JP"), 'B'};

struct EncodeRow
{
    const char *what;
    QString text;
    HeaderCharset charset;
    const char *specials;
    QString expected;
};

void PrintTo(const EncodeRow &row, std::ostream *os) { *os << row.what; }

class EncodedWords : public ::testing::TestWithParam<EncodeRow>
{
};

TEST_P(EncodedWords, MatchTheExpectedText)
{
    const EncodeRow &row = GetParam();
    EXPECT_EQ(encodeHeader(row.text, row.charset, row.specials), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EncodedWords,
    ::testing::Values(
        EncodeRow{"plain_stays", QStringLiteral("QSL card attachment from op@example.org"), kLatin1, "",
                  QStringLiteral("QSL card attachment from op@example.org")},
        EncodeRow{"words_apart", QStringLiteral("Grüße aus Köln"), kLatin1, "",
                  QStringLiteral("=?ISO-8859-1?Q?Gr=FC=DFe?= aus =?ISO-8859-1?Q?K=F6ln?=")},
        EncodeRow{"stretch_keeps_blank", QStringLiteral("Grüße  Köln ok"), kLatin1, "",
                  QStringLiteral("=?ISO-8859-1?Q?Gr=FC=DFe__K=F6ln?= ok")},
        EncodeRow{"q_specials", QStringLiteral("é=?_x"), kLatin1, "",
                  QStringLiteral("=?ISO-8859-1?Q?=E9=3D=3F=5Fx?=")},
        EncodeRow{"name_specials", QStringLiteral("Kö (home) Hans"), kLatin1, kAddressSpecials,
                  QStringLiteral("=?ISO-8859-1?Q?K=F6_(home)?= Hans")},
        EncodeRow{"specials_alone_plain", QStringLiteral("a (b)"), kLatin1, "",
                  QStringLiteral("a (b)")},
        EncodeRow{"outside_latin1_uses_utf8", QStringLiteral("Привет DL"), kLatin1, "",
                  QStringLiteral("=?UTF-8?B?0J/RgNC40LLQtdGC?= DL")},
        EncodeRow{"japanese_iso2022", QStringLiteral("日本"), kJapanese, "",
                  QStringLiteral("=?ISO-2022-JP?B?GyRCRnxLXBsoQg==?=")},
        EncodeRow{"long_run_wraps_at_75",
                  QString(60, QChar(0xE9)), kLatin1, "",
                  QStringLiteral("=?ISO-8859-1?Q?") + QStringLiteral("=E9").repeated(19)
                      + QStringLiteral("?=\r\n\t=?ISO-8859-1?Q?") + QStringLiteral("=E9").repeated(19)
                      + QStringLiteral("?=\r\n\t=?ISO-8859-1?Q?") + QStringLiteral("=E9").repeated(19)
                      + QStringLiteral("?=\r\n\t=?ISO-8859-1?Q?=E9=E9=E9?=")}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(EncodedWords, NoEncodedWordPassesSeventyFiveCharacters)
{
    for (const HeaderCharset &cs : {kLatin1, kJapanese, HeaderCharset{QStringLiteral("UTF-8"), 'B'}}) {
        const QString text = QStringLiteral("Ä ö ü ß 日本語のテキスト ").repeated(12);
        for (const QString &line : encodeHeader(text, cs).split(QStringLiteral("\r\n"))) {
            for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                EXPECT_LE(word.trimmed().size(), 75) << word.toStdString();
        }
    }
}

TEST(EncodedWords, EveryBWordHoldsWholeCharacters)
{
    const QString text = QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442\u00e9\u65e5\U0001F4FB").repeated(9);
    const QString encoded = encodeHeader(text, kLatin1);
    QString decoded;
    int words = 0;
    for (QString word : encoded.split(QStringLiteral("\r\n\t"))) {
        ASSERT_TRUE(word.startsWith(QLatin1String("=?UTF-8?B?")) && word.endsWith(QLatin1String("?=")));
        EXPECT_LE(word.size(), 75);
        const QByteArray bytes = QByteArray::fromBase64(word.mid(10, word.size() - 12).toLatin1());
        const QString part = QString::fromUtf8(bytes);
        EXPECT_EQ(part.toUtf8(), bytes);                 // no character cut in two
        EXPECT_FALSE(part.contains(QChar(QChar::ReplacementCharacter)));
        decoded += part;
        ++words;
    }
    EXPECT_GT(words, 3);
    EXPECT_EQ(decoded, text);
}

struct LocaleRow
{
    QLocale locale;
    const char *name;
    char letter;
};

TEST(HeaderCharset, FollowsTheLocaleLanguage)
{
    const LocaleRow rows[] = {
        {QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China), "GB2312", 'B'},
        {QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan), "Big5", 'B'},
        {QLocale(QLocale::Japanese, QLocale::Japan), "ISO-2022-JP", 'B'},
        {QLocale(QLocale::Korean, QLocale::SouthKorea), "EUC-KR", 'B'},
        {QLocale(QLocale::German, QLocale::Germany), "ISO-8859-1", 'Q'},
        {QLocale::c(), "ISO-8859-1", 'Q'},
    };
    for (const LocaleRow &row : rows) {
        const HeaderCharset cs = headerCharsetFor(row.locale);
        EXPECT_EQ(cs.name, QLatin1String(row.name)) << row.locale.name().toStdString();
        EXPECT_EQ(cs.letter, row.letter) << row.locale.name().toStdString();
    }
}

struct CoderRow
{
    const char *encoding;
    QByteArray input;
    QByteArray output;
};

TEST(TransferEncoders, EncodeWholeStreams)
{
    const CoderRow rows[] = {
        {"BASE64", "QSL!", "UVNMIQ==\r\n"},
        {"quoted-printable", "a=b \r\nx\ty\r\n", "a=3Db=20\r\nx\ty\r\n"},
        {"Quoted-Printable", QByteArray(80, 'a'), QByteArray(75, 'a') + "=\r\naaaaa\r\n"},
        {"quoted-printable", "\xC3\xA9", "=C3=A9\r\n"},
        {"x-uu", "Cat", "begin 644 c.bin\r\n#0V%T\r\n`\r\nend\r\n"},
        {"x-xx", "Cat", "begin 644 c.bin\r\n1Eq3o\r\n+\r\nend\r\n"},
    };
    for (const CoderRow &row : rows) {
        const auto encoder = encoderFor(QLatin1String(row.encoding));
        ASSERT_NE(encoder, nullptr) << row.encoding;
        QByteArray in = row.input;
        QBuffer source(&in);
        source.open(QIODevice::ReadOnly);
        QByteArray out;
        QBuffer target(&out);
        target.open(QIODevice::WriteOnly);
        encoder->encodeStream(source, target, QStringLiteral("c.bin"));
        EXPECT_EQ(out, row.output) << row.encoding;
    }
    EXPECT_EQ(encoderFor(QStringLiteral("7bit")), nullptr);
}

} // namespace
