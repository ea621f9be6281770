#include "commandline.h"

#include "benchcommand.h"
#include "bestcommand.h"
#include "matchcommand.h"
#include "movescommand.h"
#include "perftcommand.h"
#include "playcommand.h"
#include "replaycommand.h"
#include "tallycommand.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

const char *const PositionHelp
    = "POS is one argument, SQUARES SIDE [PENDING [PLIES]]: SQUARES is 32 characters for\n"
      "squares 0 to 31 in rows of four from the top, '.' empty, 'w'/'W' white man/king,\n"
      "'b'/'B' black man/king; SIDE is 'w' or 'b'; PENDING lists the squares captured so far\n"
      "in a capture sequence, comma-separated, or '-'; PLIES counts the moves without a\n"
      "capture.\n"
      "--help and --version may also come after a command's name, before any '--'; the\n"
      "first of the two answers.\n"
      "Bad input gives one line on standard error and exit status 2.\n";

CCommandLine::CommandList toolCommands()
{
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    commands.push_back(std::make_unique<CPlayCommand>());
    commands.push_back(std::make_unique<CBestCommand>());
    commands.push_back(std::make_unique<CBenchCommand>());
    commands.push_back(std::make_unique<CMatchCommand>());
    commands.push_back(std::make_unique<CReplayCommand>(std::cin));
    commands.push_back(std::make_unique<CTallyCommand>(std::cin));
    return commands;
}

// Every line of text behind the indent, each ended by a newline.
std::string indented(const std::string &text, const std::string &indent)
{
    std::string result = indent;
    for (const char c : text) {
        result += c;
        if (c == '\n')
            result += indent;
    }
    return result + '\n';
}

} // namespace

CCommandLine::CCommandLine()
    : CCommandLine(toolCommands())
{ }

CCommandLine::CCommandLine(CommandList commands)
    : m_commands(std::move(commands))
{ }

int CCommandLine::run(const std::vector<std::string> &arguments, std::ostream &out,
                      std::ostream &err, bool errIsTerminal) const
{
    if (arguments.empty()) {
        err << usageLine() << '\n';
        return BadInput;
    }
    // Before the command only --help and --version may come.
    const std::string &first = arguments[0];
    const bool option = !first.empty() && first[0] == '-';
    if (option && first != "--help" && first != "--version")
        return fail("unknown option '" + first + "'", err);
    if (!option && find(first) == nullptr)
        return fail("unknown command '" + first + "'", err);
    switch (request(arguments)) {
    case Request::Help:
        out << help();
        return 0;
    case Request::Version:
        out << version() << '\n';
        return 0;
    case Request::Run:
        break;
    }
    return parseAndRun(arguments, out, err, errIsTerminal);
}

CCommandLine::Request CCommandLine::request(const std::vector<std::string> &arguments)
{
    for (const std::string &argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help")
            return Request::Help;
        if (argument == "--version")
            return Request::Version;
    }
    return Request::Run;
}

std::string CCommandLine::version()
{
    return std::string("checkers-cli ") + CHECKERS_VERSION;
}

// Each command is a subcommand that collects its arguments in order, so
// that their number can be checked against its parameters, and takes only
// its own options, which may come anywhere after its name.
int CCommandLine::parseAndRun(const std::vector<std::string> &arguments, std::ostream &out,
                              std::ostream &err, bool errIsTerminal) const
{
    CLI::App app("checkers-cli");
    // request() has answered --help and --version already.
    app.set_help_flag();
    app.require_subcommand(1);
    CCommand::Call call { {}, {}, out, err, errIsTerminal };
    std::map<std::string, std::string> values;
    for (const auto &command : m_commands) {
        CLI::App *subcommand = app.add_subcommand(command->name());
        subcommand->add_option("ARGUMENTS", call.arguments);
        for (const CCommand::Option &option : command->options()) {
            if (option.value.empty())
                subcommand->add_flag("--" + option.name)->disable_flag_override();
            else
                subcommand->add_option("--" + option.name, values[option.name])
                    ->type_name(option.value);
        }
    }
    // The parser takes the arguments from the back.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError &error) {
        return fail(error.what(), err);
    }
    const CLI::App &chosen = *app.get_subcommands().front();
    const CCommand &command = *find(chosen.get_name());
    for (const CCommand::Option &option : command.options()) {
        if (chosen.count("--" + option.name) > 0)
            call.options[option.name] = values[option.name];
    }
    return runCommand(command, call, err);
}

int CCommandLine::runCommand(const CCommand &command, const CCommand::Call &call,
                             std::ostream &err) const
{
    const std::size_t expected = command.parameters().size();
    if (call.arguments.size() != expected) {
        return fail(command.name() + " takes " + std::to_string(expected) + " argument"
                        + (expected == 1 ? "" : "s") + " (" + command.usage() + "), not "
                        + std::to_string(call.arguments.size()),
                    err);
    }
    std::string error;
    if (!command.run(call, error))
        return fail(error, err);
    return 0;
}

const CCommand *CCommandLine::find(const std::string &name) const
{
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

std::string CCommandLine::usageLine() const
{
    std::string text = "usage: checkers-cli";
    const char *separator = " ";
    for (const auto &command : m_commands) {
        text += separator + command->usage();
        separator = " | ";
    }
    return text;
}

std::string CCommandLine::help() const
{
    std::string text = usageLine() + "\n       checkers-cli --help | --version\n\n";
    for (const auto &command : m_commands)
        text += indented(command->usage(), "  ") + indented(command->help(), "      ");
    return text + '\n' + PositionHelp;
}

int CCommandLine::fail(const std::string &message, std::ostream &err)
{
    err << CCommand::errorLine(message);
    return BadInput;
}
