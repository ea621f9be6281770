#ifndef CHECKERS_TOOLS_CLI_TALLYCOMMAND_H
#define CHECKERS_TOOLS_CLI_TALLYCOMMAND_H

#include "command.h"

#include <istream>

class CMatchTally;

// tally [--complete] [--by-opening [--openings FILE]]: adds up the PDN of
// games of one match, read from a stream, shards of it in any order, and
// prints the summary match prints for them, with the number of games in
// place of the time; --by-opening counts them by opening first.
class CTallyCommand : public CCommand
{
public:
    explicit CTallyCommand(std::istream &in);

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::vector<Option> options() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;

private:
    static bool summarise(const Call &call, const CMatchTally &tally, std::string &error);
    // The lines of --by-opening.
    static bool writeOpenings(const Call &call, const CMatchTally &tally, std::string &error);

    std::istream &m_in;
};

#endif
