#ifndef CHECKERS_TOOLS_POSITION_QUOTEDTEXT_H
#define CHECKERS_TOOLS_POSITION_QUOTEDTEXT_H

#include <string>

// Text that an error line quotes, cut so that the line stays readable
// however long the offending argument or token was.
class CQuotedText
{
public:
    // The longest quote, in bytes.
    static constexpr std::string::size_type MaxQuote = 40;

    // The first length bytes of text and "...", or all of a shorter text.
    static std::string shortened(const std::string &text, std::string::size_type length);
    // Text in single quotes, cut at MaxQuote bytes.
    static std::string quote(const std::string &text);
    // Bytes outside printable ASCII, and the backslash, as \xhh and \\:
    // quoted text may hold any byte, but a newline would break a one-line
    // message and an escape sequence would reach the terminal.
    static std::string printable(const std::string &text);
};

#endif
