// checkers-cli: the rules engine from the command line. Results go to
// standard output; bad input gives one line on standard error and status 2.

#include "benchcommand.h"
#include "bestcommand.h"
#include "movescommand.h"
#include "perftcommand.h"
#include "playcommand.h"

#include <iostream>
#include <memory>

namespace {

constexpr int BadInput = 2;

using CommandList = std::vector<std::unique_ptr<CCommand>>;

CommandList makeCommands()
{
    CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    commands.push_back(std::make_unique<CPlayCommand>());
    commands.push_back(std::make_unique<CBestCommand>());
    commands.push_back(std::make_unique<CBenchCommand>());
    return commands;
}

int fail(const std::string &message)
{
    std::cerr << "checkers-cli: " << message << '\n';
    return BadInput;
}

int usage(const CommandList &commands)
{
    std::string text = "usage: checkers-cli";
    const char *separator = " ";
    for (const auto &command : commands) {
        text += separator + command->usage();
        separator = " | ";
    }
    std::cerr << text << '\n';
    return BadInput;
}

int run(const CCommand &command, const std::vector<std::string> &arguments)
{
    const std::size_t expected = command.parameters().size();
    if (arguments.size() != expected) {
        return fail(command.name() + " takes " + std::to_string(expected) + " argument"
                    + (expected == 1 ? "" : "s") + " (" + command.usage() + "), not "
                    + std::to_string(arguments.size()));
    }
    std::string error;
    if (!command.run(arguments, std::cout, error))
        return fail(error);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandList commands = makeCommands();
    if (argc < 2)
        return usage(commands);
    const std::string name = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    for (const auto &command : commands) {
        if (command->name() == name)
            return run(*command, arguments);
    }
    return fail("unknown command '" + name + "'");
}
