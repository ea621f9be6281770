#include "protocolstep.h"

namespace {

constexpr int Squares = 32;

} // namespace

bool CProtocolStep::parse(const std::string &text, int &from, int &to)
{
    const std::string::size_type separator = text.find_first_of("-x");
    return separator != std::string::npos && parseSquare(text.substr(0, separator), from)
        && parseSquare(text.substr(separator + 1), to);
}

std::string CProtocolStep::format(int from, int to, bool capture)
{
    return std::to_string(from + 1) + (capture ? 'x' : '-') + std::to_string(to + 1);
}

bool CProtocolStep::parseSquare(const std::string &text, int &square)
{
    if (text.empty() || text.size() > 2
        || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int number = std::stoi(text);
    square = number - 1;
    return number >= 1 && number <= Squares;
}
