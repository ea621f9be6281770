#include "playcommand.h"

#include "tools/position/position.h"
#include "tools/position/positiontext.h"

#include <climits>

std::string CPlayCommand::name() const
{
    return "play";
}

std::vector<std::string> CPlayCommand::parameters() const
{
    return { "POS", "FROM", "TO" };
}

std::string CPlayCommand::help() const
{
    return "the position after the step FROM-TO, then \"gameover 0|3|4\" (draw, White wins,\n"
           "Black wins) if it ends the game; or \"illegal\". In a game already over, only its\n"
           "verdict: \"gameover 3|4\" if the side to move has no step, else \"gameover 0\" if\n"
           "PLIES is 41";
}

// Squares off the board are valid input: the rules refuse them like any
// other illegal step.
bool CPlayCommand::run(const Call &call, std::string &error) const
{
    CPosition position;
    int from, to;
    if (!readPosition(call.arguments[0], position, error)
        || !readNumber(call.arguments[1], "FROM", INT_MIN, INT_MAX, from, error)
        || !readNumber(call.arguments[2], "TO", INT_MIN, INT_MAX, to, error))
        return false;
    if (writeVerdict(position, call.out))
        return true;
    if (!position.makeMove(from, to)) {
        call.out << "illegal\n";
        return true;
    }
    call.out << CPositionText::format(position) << '\n';
    if (position.isGameOver())
        call.out << "gameover " << position.result() << '\n';
    return true;
}
