#include "protocolline.h"

#include <string_view>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t skipBlanks(const std::string &text, std::size_t at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// The end of the unquoted word starting at at: a blank, one of stops or the
// end of the text.
std::size_t wordEnd(const std::string &text, std::size_t at, std::string_view stops)
{
    while (at < text.size() && !isBlank(text[at]) && stops.find(text[at]) == std::string_view::npos)
        ++at;
    return at;
}

bool endsInCarriageReturn(const std::string &text)
{
    return !text.empty() && text.back() == '\r';
}

// An argument's name as a reason names it, cut so that the reason stays
// short whatever the line held.
std::string shown(const std::string &name)
{
    constexpr std::size_t Longest = 40;
    return name.size() > Longest ? name.substr(0, Longest) + "..." : name;
}

// Refuses a line for the quote at at, which opens no value.
bool strayQuote(const std::string &text, std::size_t at, std::string &reason)
{
    reason = text.find('"', at + 1) == std::string::npos ? "a quote is not closed"
                                                         : "a quote outside a quoted value";
    return false;
}

} // namespace

CProtocolLine::CProtocolLine(std::string command)
    : m_command(std::move(command))
{ }

CProtocolLine &CProtocolLine::with(const std::string &name, const std::string &value)
{
    std::string clean = value;
    for (char &c : clean) {
        if (c == '"')
            c = '\'';
        else if (c == '\n' || c == '\r')
            c = ' ';
    }
    m_arguments.push_back({ name, clean, false });
    return *this;
}

CProtocolLine &CProtocolLine::with(const std::string &name)
{
    m_arguments.push_back({ name, "", true });
    return *this;
}

bool CProtocolLine::has(const std::string &name) const
{
    for (const auto &argument : m_arguments) {
        if (argument.name == name)
            return true;
    }
    return false;
}

std::string CProtocolLine::value(const std::string &name) const
{
    for (const auto &argument : m_arguments) {
        if (argument.name == name)
            return argument.value;
    }
    return {};
}

std::string CProtocolLine::text() const
{
    std::string line = m_command;
    for (const Argument &argument : m_arguments)
        line += ' ' + argument.name + (argument.bare ? "" : '=' + quoted(argument.value));
    return line;
}

std::string CProtocolLine::quoted(const std::string &value)
{
    if (value.empty() || value.find_first_of(" \t=") != std::string::npos)
        return '"' + value + '"';
    return value;
}

bool CProtocolLine::isLine(const std::string &text, std::string &reason)
{
    const std::string::size_type end = text.size() - (endsInCarriageReturn(text) ? 1 : 0);
    if (text.find('\0') != std::string::npos) {
        reason = "a NUL byte in the line";
        return false;
    }
    if (text.find('\r') < end) {
        reason = "a CR inside the line";
        return false;
    }
    return true;
}

bool CProtocolLine::parse(const std::string &text, CProtocolLine &line, std::string &reason)
{
    std::string rest = text;
    if (endsInCarriageReturn(rest))
        rest.pop_back();
    line = CProtocolLine();
    std::size_t at = skipBlanks(rest, 0);
    std::size_t end = wordEnd(rest, at, "");
    line.m_command = rest.substr(at, end - at);
    if (!isLine(text, reason))
        return false;
    if (line.m_command.find('"') != std::string::npos)
        return strayQuote(rest, rest.find('"', at), reason);
    for (at = skipBlanks(rest, end); at < rest.size(); at = skipBlanks(rest, end)) {
        end = wordEnd(rest, at, "=\"");
        const std::string name = rest.substr(at, end - at);
        if (end < rest.size() && rest[end] == '"')
            return strayQuote(rest, end, reason);
        if (name.empty()) {
            reason = "an argument has no name";
            return false;
        }
        const bool bare = end == rest.size() || rest[end] != '=';
        std::string value;
        if (!bare) {
            at = end + 1;
            if (at < rest.size() && rest[at] == '"') {
                end = rest.find('"', at + 1);
                if (end == std::string::npos) {
                    reason = "the value of " + shown(name) + " has no closing quote";
                    return false;
                }
                value = rest.substr(at + 1, end - at - 1);
                ++end;
                if (end < rest.size() && !isBlank(rest[end])) {
                    reason = "text after the closing quote of " + shown(name);
                    return false;
                }
            } else {
                end = wordEnd(rest, at, "\"");
                if (end < rest.size() && rest[end] == '"')
                    return strayQuote(rest, end, reason);
                value = rest.substr(at, end - at);
            }
        }
        if (line.has(name)) {
            reason = shown(name) + " is given twice";
            return false;
        }
        line.m_arguments.push_back({ name, value, bare });
    }
    return true;
}
