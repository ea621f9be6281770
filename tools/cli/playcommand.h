#ifndef CHECKERS_TOOLS_CLI_PLAYCOMMAND_H
#define CHECKERS_TOOLS_CLI_PLAYCOMMAND_H

#include "command.h"
#include "rules/gamestate.h"

// play POS FROM TO: one move step; prints the new position, or "illegal".
class CPlayCommand : public CCommand
{
public:
    static constexpr int LastSquare = CGameState::SquareCount - 1;

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
