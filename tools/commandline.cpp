#include "commandline.h"

#include "benchcommand.h"
#include "bestcommand.h"
#include "movescommand.h"
#include "perftcommand.h"
#include "playcommand.h"
#include "replaycommand.h"

#include <cstdio>
#include <iostream>

namespace {

CCommandLine::CommandList toolCommands()
{
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    commands.push_back(std::make_unique<CPlayCommand>());
    commands.push_back(std::make_unique<CBestCommand>());
    commands.push_back(std::make_unique<CBenchCommand>());
    commands.push_back(std::make_unique<CReplayCommand>(std::cin));
    return commands;
}

} // namespace

CCommandLine::CCommandLine()
    : CCommandLine(toolCommands())
{ }

CCommandLine::CCommandLine(CommandList commands)
    : m_commands(std::move(commands))
{ }

int CCommandLine::run(const std::vector<std::string> &arguments, std::ostream &out,
                      std::ostream &err) const
{
    if (arguments.empty())
        return usage(err);
    const std::string &name = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return runCommand(*command, rest, out, err);
    }
    return fail("unknown command '" + name + "'", err);
}

int CCommandLine::runCommand(const CCommand &command, const std::vector<std::string> &arguments,
                             std::ostream &out, std::ostream &err) const
{
    const std::size_t expected = command.parameters().size();
    if (arguments.size() != expected) {
        return fail(command.name() + " takes " + std::to_string(expected) + " argument"
                        + (expected == 1 ? "" : "s") + " (" + command.usage() + "), not "
                        + std::to_string(arguments.size()),
                    err);
    }
    std::string error;
    if (!command.run(arguments, out, error))
        return fail(error, err);
    return 0;
}

int CCommandLine::usage(std::ostream &err) const
{
    std::string text = "usage: checkers-cli";
    const char *separator = " ";
    for (const auto &command : m_commands) {
        text += separator + command->usage();
        separator = " | ";
    }
    err << text << '\n';
    return BadInput;
}

int CCommandLine::fail(const std::string &message, std::ostream &err)
{
    err << "checkers-cli: " << printable(message) << '\n';
    return BadInput;
}

// Messages quote the arguments they refuse, which may hold any byte: a
// newline would break the one-line answer, an escape sequence would reach
// the terminal.
std::string CCommandLine::printable(const std::string &text)
{
    std::string shown;
    for (const char c : text) {
        if (c == '\\') {
            shown += "\\\\";
        } else if (c >= ' ' && c <= '~') {
            shown += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
            shown += escape;
        }
    }
    return shown;
}
