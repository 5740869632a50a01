#pragma once

#include <cctype>
#include <string>

// A GoogleTest name for a row of a table test, so that ctest lists each row by what it is and
// the name stays when rows are added: letters and digits are kept, '&' is spelt "Amp", every
// other character becomes '_'. An empty text is named "empty".
inline std::string testName(const std::string &text)
{
    if (text.empty())
        return "empty";
    std::string out;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
        else if (c == '&')
            out += "Amp";
        else
            out += '_';
    }
    return out;
}
