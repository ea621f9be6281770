#include "bestcommand.h"

#include "engine/search.h"
#include "tools/position/numbertext.h"
#include "tools/position/position.h"

std::string CBestCommand::name() const
{
    return "best";
}

std::vector<std::string> CBestCommand::parameters() const
{
    return { "POS", "DEPTH", "SEED" };
}

std::string CBestCommand::help() const
{
    return "the computer's step at search depth DEPTH (1 to 64) from random seed SEED (0 to "
           "4294967295), then the nodes searched and the positions evaluated: FROM TO NODES "
           "EVALUATIONS; or \"gameover 3|4\" if the side to move has no step, and so has lost, "
           "else \"gameover 0\" if PLIES is 41, a game the draw rule has ended";
}

bool CBestCommand::run(const Call &call, std::string &error) const
{
    CPosition position;
    int depth;
    std::uint32_t seed;
    if (!readPosition(call.arguments[0], position, error)
        || !CNumberText::read(call.arguments[1], "DEPTH", 1, MaxDepth, depth, error)
        || !readSeed(call.arguments[2], seed, error))
        return false;
    if (writeVerdict(position, call.out))
        return true;
    int from, to;
    SearchStats stats;
    findBestMove(position, depth, seed, from, to, &stats);
    call.out << from << ' ' << to << ' ' << stats.nodes << ' ' << stats.evaluations << '\n';
    return true;
}
