#ifndef CHECKERS_TOOLS_PLAYCOMMAND_H
#define CHECKERS_TOOLS_PLAYCOMMAND_H

#include "command.h"

// play POS FROM TO: one move step; prints the new position, or "illegal".
class CPlayCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    bool run(const std::vector<std::string> &arguments, std::ostream &out,
             std::string &error) const override;
};

#endif
