#ifndef CHECKERS_TOOLS_CLI_BESTCOMMAND_H
#define CHECKERS_TOOLS_CLI_BESTCOMMAND_H

#include "command.h"

// best POS DEPTH SEED: the computer's choice of move step from a given seed,
// with the child nodes it created and the evaluations that drew a random
// term, as "FROM TO NODES EVALS".
class CBestCommand : public CCommand
{
public:
    // Deeper searches would run for ages; the bound also keeps the recursion
    // far from the end of the stack.
    static constexpr int MaxDepth = 64;

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;
};

#endif
