#ifndef CHECKERS_TOOLS_PROTOCOL_PROTOCOLLINE_H
#define CHECKERS_TOOLS_PROTOCOL_PROTOCOLLINE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One line of the engine protocol: a command word, then arguments separated
// by blanks or tabs, each NAME=VALUE or a bare NAME. A value holding a blank,
// a tab or '=', or no character at all, stands in double quotes; there are
// no escapes, so a value never holds '"'.
//
// The first word decides: a reader passes over a line whose first word it
// does not know, whatever follows it, and refuses one with a word it knows
// whose arguments do not read. They do not read when a quote is not closed,
// a quote stands anywhere but around a whole value, text follows a closing
// quote, an '=' has no name before it, or a name comes twice. A line that
// holds a NUL, or a CR anywhere but at its end, is no line at all.
class CProtocolLine
{
public:
    // The longest line either side reads: memory stays bounded whatever the
    // other side writes.
    static constexpr std::size_t MaxLength = 64 * 1024;
    // The UTF-8 byte-order mark: at the very start of the input, before the
    // first line, it is dropped.
    static constexpr std::string_view ByteOrderMark = "\xef\xbb\xbf";

    CProtocolLine() = default;
    explicit CProtocolLine(std::string command);

    // Adds an argument; a '"' in the value is written as '\'' and a line
    // break as a blank, so that the line stays one line that reads back.
    CProtocolLine &with(const std::string &name, const std::string &value);
    // Adds a bare NAME.
    CProtocolLine &with(const std::string &name);

    // Empty for a line of blanks.
    const std::string &command() const { return m_command; }
    bool has(const std::string &name) const;
    // The value of the first argument of that name, or empty.
    std::string value(const std::string &name) const;
    // The line without its end.
    std::string text() const;

    // Whether text, a line without its end, can be read at all: it holds no
    // NUL and no CR but one at its end. Whatever its first word, a line that
    // cannot is refused; reason says why.
    static bool isLine(const std::string &text, std::string &reason);
    // Reads a line without its end; a trailing CR is dropped. The command
    // word is set even on failure, so that the caller can pass over a line
    // whose word it does not know. False for what isLine refuses and for
    // arguments that do not read; reason then says in a few words what is
    // wrong.
    static bool parse(const std::string &text, CProtocolLine &line, std::string &reason);

private:
    static std::string quoted(const std::string &value);

    std::string m_command;
    struct Argument
    {
        std::string name;
        std::string value;
        bool bare;
    };

    std::vector<Argument> m_arguments;
};

#endif
