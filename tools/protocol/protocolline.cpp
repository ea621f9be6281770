#include "protocolline.h"

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

// The end of the unquoted word starting at at.
std::size_t wordEnd(const std::string &text, std::size_t at, bool stopAtEquals)
{
    while (at < text.size() && !isBlank(text[at]) && !(stopAtEquals && text[at] == '='))
        ++at;
    return at;
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

bool CProtocolLine::parse(const std::string &text, CProtocolLine &line, std::string &reason)
{
    std::string rest = text;
    if (!rest.empty() && rest.back() == '\r')
        rest.pop_back();
    line = CProtocolLine();
    std::size_t at = skipBlanks(rest, 0);
    std::size_t end = wordEnd(rest, at, false);
    line.m_command = rest.substr(at, end - at);
    for (at = skipBlanks(rest, end); at < rest.size(); at = skipBlanks(rest, end)) {
        end = wordEnd(rest, at, true);
        const std::string name = rest.substr(at, end - at);
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
                    reason = "the value of " + name + " has no closing quote";
                    return false;
                }
                value = rest.substr(at + 1, end - at - 1);
                ++end;
            } else {
                end = wordEnd(rest, at, false);
                value = rest.substr(at, end - at);
            }
        }
        line.m_arguments.push_back({ name, value, bare });
    }
    return true;
}
