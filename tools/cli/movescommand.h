#ifndef CHECKERS_TOOLS_CLI_MOVESCOMMAND_H
#define CHECKERS_TOOLS_CLI_MOVESCOMMAND_H

#include "command.h"

// moves POS: every legal move step, one FROM-TO per line.
class CMovesCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
