#include "quotedtext.h"

std::string CQuotedText::shortened(const std::string &text, std::string::size_type length)
{
    return text.size() > length ? text.substr(0, length) + "..." : text;
}

std::string CQuotedText::quote(const std::string &text)
{
    return "'" + shortened(text, MaxQuote) + "'";
}
