#include "playcommand.h"

#include "tools/position/numbertext.h"
#include "tools/position/position.h"
#include "tools/position/positiontext.h"

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
    return "the position after the step from square FROM to square TO (0 to 31), then "
           "\"gameover 0|3|4\" (draw, White wins, Black wins) if it ends the game; or "
           "\"illegal\". In a game already over, only its verdict: \"gameover 3|4\" if the side "
           "to move has no step, else \"gameover 0\" if PLIES is 41";
}

// A square off the board is bad input, whatever the position: no step
// could start or end there.
bool CPlayCommand::run(const Call &call, std::string &error) const
{
    CPosition position;
    int from, to;
    if (!readPosition(call.arguments[0], position, error)
        || !CNumberText::read(call.arguments[1], "FROM", 0, LastSquare, from, error)
        || !CNumberText::read(call.arguments[2], "TO", 0, LastSquare, to, error))
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
