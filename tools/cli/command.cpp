#include "command.h"

#include "fileinput.h"
#include "tools/position/numbertext.h"
#include "tools/position/position.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"

std::string CCommand::usage() const
{
    std::string text = name();
    for (const std::string &parameter : parameters())
        text += ' ' + parameter;
    for (const Option &option : options())
        text += " [--" + option.name + (option.value.empty() ? "" : ' ' + option.value) + ']';
    return text;
}

std::vector<CCommand::Option> CCommand::options() const
{
    return {};
}

bool CCommand::readPosition(const std::string &text, CPosition &position, std::string &error)
{
    if (CPositionText::parse(text, position, error))
        return true;
    error = "bad position " + CQuotedText::quote(text) + ": " + error;
    return false;
}

bool CCommand::writeVerdict(const CPosition &position, std::ostream &out)
{
    const int result = position.settledResult();
    if (result == CPosition::NoResult)
        return false;
    out << "gameover " << result << '\n';
    return true;
}

bool CCommand::readFailed(const std::istream &in)
{
    return CFileInput::errorOf(in) != 0;
}

bool CCommand::readSeed(const std::string &text, std::uint32_t &seed, std::string &error)
{
    if (CNumberText::parse(text, seed))
        return true;
    error = "SEED must be a whole number from 0 to 4294967295, not " + CQuotedText::quote(text);
    return false;
}

std::string CCommand::errorLine(const std::string &message)
{
    return "checkers-cli: " + CQuotedText::printable(message) + '\n';
}
