#ifndef CHECKERS_TOOLS_CLI_OPENINGSCOMMAND_H
#define CHECKERS_TOOLS_CLI_OPENINGSCOMMAND_H

#include "command.h"

// openings: prints the built-in deck of openings that match --ballot plays,
// in PDN, in deck order: each opening's moves, then "*".
class COpeningsCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
