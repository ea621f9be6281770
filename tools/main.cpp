// checkers-cli: the rules engine from the command line. Results go to
// standard output; bad input gives one line on standard error and status 2.

#include "benchcommand.h"
#include "bestcommand.h"
#include "commandline.h"
#include "movescommand.h"
#include "perftcommand.h"
#include "playcommand.h"

#include <iostream>

namespace {

CCommandLine::CommandList makeCommands()
{
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    commands.push_back(std::make_unique<CPlayCommand>());
    commands.push_back(std::make_unique<CBestCommand>());
    commands.push_back(std::make_unique<CBenchCommand>());
    return commands;
}

} // namespace

int main(int argc, char *argv[])
{
    const CCommandLine commandLine(makeCommands());
    return commandLine.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
