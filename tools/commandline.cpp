#include "commandline.h"

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
    err << "checkers-cli: " << message << '\n';
    return BadInput;
}

