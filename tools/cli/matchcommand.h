#ifndef CHECKERS_TOOLS_CLI_MATCHCOMMAND_H
#define CHECKERS_TOOLS_CLI_MATCHCOMMAND_H

#include "command.h"

// match A B GAMES SEED [options]: games between two players, the built-in
// search at a depth or engine programs, with a summary of the score and
// what it says about their difference in strength; CMatchPlan reads the
// arguments and the options, CMatchSession plays them. --pdn writes the
// games as well, --games only some of them. --ballot and --openings play
// them in pairs from openings, --sprt stops them once a sequential test
// decides, --tc puts them on a clock.
class CMatchCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::vector<Option> options() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
