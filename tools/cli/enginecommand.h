#ifndef CHECKERS_TOOLS_CLI_ENGINECOMMAND_H
#define CHECKERS_TOOLS_CLI_ENGINECOMMAND_H

#include "command.h"

#include <istream>

// engine: the computer player behind the engine protocol, one line in and
// its answer out, until quit or the end of the input.
class CEngineCommand : public CCommand
{
public:
    explicit CEngineCommand(std::istream &in);

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::string help() const override;
    // Each answer is flushed at once: the referee waits for it.
    bool run(const Call &call, std::string &error) const override;

private:
    bool readLine(std::string &text, bool &tooLong) const;

    std::istream &m_in;
};

#endif
