#include "quotedtext.h"

#include <cstdio>

std::string CQuotedText::shortened(const std::string &text, std::string::size_type length)
{
    return text.size() > length ? text.substr(0, length) + "..." : text;
}

std::string CQuotedText::quote(const std::string &text)
{
    return "'" + shortened(text, MaxQuote) + "'";
}

std::string CQuotedText::printable(const std::string &text)
{
    std::string shown;
    for (const char c : text) {
        if (c == '\\') {
            shown += "\\\\";
        } else if (c >= ' ' && c <= '~') {
            shown += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
            shown += escape;
        }
    }
    return shown;
}
