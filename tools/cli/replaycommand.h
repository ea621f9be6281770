#ifndef CHECKERS_TOOLS_CLI_REPLAYCOMMAND_H
#define CHECKERS_TOOLS_CLI_REPLAYCOMMAND_H

#include "command.h"

#include <istream>

// replay: plays the PDN games read from a stream through the rules and
// prints, for each, its final position and its result token on one line.
// It stops at the first bad game, or with --keep-going reports each bad
// game on the error stream, reads on, and counts them at the end.
class CReplayCommand : public CCommand
{
public:
    explicit CReplayCommand(std::istream &in);

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::vector<Option> options() const override;
    std::string help() const override;
    // Each game's line is flushed as soon as it is read, so the games
    // before a bad one are out when the error comes.
    bool run(const Call &call, std::string &error) const override;

private:
    static bool summarise(const Call &call, int good, int bad, std::string &error);

    std::istream &m_in;
};

#endif
