#ifndef CHECKERS_TOOLS_CLI_PERFTCOMMAND_H
#define CHECKERS_TOOLS_CLI_PERFTCOMMAND_H

#include "command.h"

#include <cstdint>

class CGameNode;
class CGameState;

// perft POS DEPTH: the number of sequences of DEPTH move steps from POS,
// every step of a capture sequence counted on its own.
class CPerftCommand : public CCommand
{
public:
    // Deeper counts would run for ages; the bound also keeps the recursion
    // far from the end of the stack.
    static constexpr int MaxDepth = 64;

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;

    // Play goes on after the end of a game, since the rules keep no game-over
    // state; a position without a legal step has no successors.
    static std::uint64_t count(const CGameState &position, int depth);

private:
    static std::uint64_t countFrom(CGameNode &node, int depth);
};

#endif
