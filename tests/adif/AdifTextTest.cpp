#include "AdifText.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct EncodingCase
{
    const char *name;
    QByteArray bytes;
    AdifEncoding encoding;
};

void PrintTo(const EncodingCase &c, std::ostream *os) { *os << c.name; }

class Encodings : public ::testing::TestWithParam<EncodingCase>
{
};

TEST_P(Encodings, AreDetected)
{
    EXPECT_EQ(detectAdifEncoding(GetParam().bytes), GetParam().encoding);
}

const EncodingCase encodingCases[] = {
    {"Ascii", "<CALL:3>ABC<EOR>", AdifEncoding::Utf8},
    {"Empty", "", AdifEncoding::Utf8},
    {"Utf8Umlaut", "<NAME:7>M\xc3\xbcller, a longer text after it", AdifEncoding::Utf8},
    {"Utf8FourBytes", "x\xf0\x9f\x93\xbb", AdifEncoding::Utf8},
    {"Latin1Umlaut", "<NAME:6>M\xfcller and more ASCII text", AdifEncoding::Windows1252},
    {"TruncatedSequenceAtEnd", "abc\xc3", AdifEncoding::Windows1252},
    {"OverlongSlash", "\xc0\xaf", AdifEncoding::Windows1252},
    {"Surrogate", "\xed\xa0\x80", AdifEncoding::Windows1252},
    {"MissingContinuation", "\xe2\x82x", AdifEncoding::Windows1252},
    {"HighByteAfterEightAscii", "abcdefgh\xe9", AdifEncoding::Windows1252},
};

INSTANTIATE_TEST_SUITE_P(AdifText, Encodings, ::testing::ValuesIn(encodingCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Windows1252, MapsTheHighControlRangeToItsLetters)
{
    EXPECT_EQ(fromWindows1252("\x80\x8a\x9f\xe9"), QStringLiteral("\u20ac\u0160\u0178\u00e9"));
}

} // namespace
