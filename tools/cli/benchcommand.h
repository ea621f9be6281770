#ifndef CHECKERS_TOOLS_CLI_BENCHCOMMAND_H
#define CHECKERS_TOOLS_CLI_BENCHCOMMAND_H

#include "command.h"

// bench: times depth-5, depth-6 and depth-7 searches of the engine and of
// the straightforward reference on a fixed suite of positions, in the same run,
// and prints each ratio and, for each depth, their geometric mean and the
// peak memory of the slowest search.
class CBenchCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
