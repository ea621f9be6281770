#include "playcommand.h"

#include "position.h"
#include "positiontext.h"

#include <climits>

std::string CPlayCommand::name() const
{
    return "play";
}

std::vector<std::string> CPlayCommand::parameters() const
{
    return { "POS", "FROM", "TO" };
}

// Squares off the board are valid input: the rules refuse them like any
// other illegal step.
bool CPlayCommand::run(const std::vector<std::string> &arguments, std::ostream &out,
                       std::string &error) const
{
    CPosition position;
    int from, to;
    if (!readPosition(arguments[0], position, error)
        || !readNumber(arguments[1], "FROM", INT_MIN, INT_MAX, from, error)
        || !readNumber(arguments[2], "TO", INT_MIN, INT_MAX, to, error))
        return false;
    if (!position.makeMove(from, to)) {
        out << "illegal\n";
        return true;
    }
    out << CPositionText::format(position) << '\n';
    if (position.isGameOver())
        out << "gameover " << position.result() << '\n';
    return true;
}
