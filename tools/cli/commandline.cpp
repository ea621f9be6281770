#include "commandline.h"

#include "benchcommand.h"
#include "bestcommand.h"
#include "enginecommand.h"
#include "fileoutput.h"
#include "interruption.h"
#include "matchcommand.h"
#include "movescommand.h"
#include "openingscommand.h"
#include "perftcommand.h"
#include "playcommand.h"
#include "replaycommand.h"
#include "tallycommand.h"
#include "tools/position/quotedtext.h"

#include <cctype>
#include <cstring>
#include <iostream>

namespace {

const char *const PositionHelp
    = "POS is one argument, SQUARES SIDE [PENDING [PLIES]]: SQUARES is 32 characters for\n"
      "squares 0 to 31 in rows of four from the top, '.' empty, 'w'/'W' white man/king,\n"
      "'b'/'B' black man/king; SIDE is 'w' or 'b'; PENDING lists the squares captured so far\n"
      "in a capture sequence, comma-separated, or '-'; PLIES counts the moves without a\n"
      "capture, 0 to 41 (the 41st draws the game). A position no game could reach is\n"
      "refused: more than 12 pieces a side, a man on the row where it would have been\n"
      "crowned, pending captures that no capture goes on from.\n"
      "Options may come anywhere after a command's name; '--' ends them, and every word\n"
      "after it is an argument, in order.\n"
      "--help and --version may also come after a command's name, before any '--'; the\n"
      "first of the two answers.\n"
      "Each failure gives one line on standard error and an exit status: 1 if the output\n"
      "could not be written, 2 for bad input, 130 if Ctrl-C stopped a match.\n";

CCommandLine::CommandList toolCommands()
{
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CMovesCommand>());
    commands.push_back(std::make_unique<CPerftCommand>());
    commands.push_back(std::make_unique<CPlayCommand>());
    commands.push_back(std::make_unique<CBestCommand>());
    commands.push_back(std::make_unique<CBenchCommand>());
    commands.push_back(std::make_unique<CMatchCommand>());
    commands.push_back(std::make_unique<COpeningsCommand>());
    commands.push_back(std::make_unique<CReplayCommand>(std::cin));
    commands.push_back(std::make_unique<CTallyCommand>(std::cin));
    commands.push_back(std::make_unique<CEngineCommand>(std::cin));
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
        return fail("unknown option " + CQuotedText::quote(first), err);
    if (!option && find(first) == nullptr)
        return fail("unknown command " + CQuotedText::quote(first), err);
    switch (request(arguments)) {
    case Request::Help:
        out << help();
        return checkOutput(Success, out, err);
    case Request::Version:
        out << version() << '\n';
        return checkOutput(Success, out, err);
    case Request::Run:
        break;
    }
    return checkOutput(parseAndRun(arguments, out, err, errIsTerminal), out, err);
}

// The one place where output is found lost: every command writes through
// the stream and leaves its failure there.
int CCommandLine::checkOutput(int status, std::ostream &out, std::ostream &err)
{
    out.flush();
    if (out.fail()) {
        const int error = CFileOutput::errorOf(out);
        const std::string reason = error == 0 ? "" : std::string(": ") + std::strerror(error);
        return fail("write error" + reason, err, WriteError);
    }
    if (CInterruption::requested())
        return fail("interrupted", err, Interrupted);
    return status;
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

int CCommandLine::parseAndRun(const std::vector<std::string> &arguments, std::ostream &out,
                              std::ostream &err, bool errIsTerminal) const
{
    const CCommand &command = *find(arguments[0]);
    CCommand::Call call { {}, {}, out, err, errIsTerminal };
    std::string error;
    if (!readWords(command, { arguments.begin() + 1, arguments.end() }, call.arguments,
                   call.options, error))
        return fail(error, err);
    return runCommand(command, call, err);
}

bool CCommandLine::readWords(const CCommand &command, const std::vector<std::string> &words,
                             std::vector<std::string> &arguments,
                             std::map<std::string, std::string> &options, std::string &error)
{
    for (auto word = words.begin(); word != words.end(); ++word) {
        if (*word == "--") {
            arguments.insert(arguments.end(), word + 1, words.end());
            return true;
        }
        if (!isOption(*word)) {
            arguments.push_back(*word);
            continue;
        }
        const bool hasNext = word + 1 != words.end();
        bool tookNext = false;
        if (!readOption(command, *word, hasNext ? *(word + 1) : "", hasNext, tookNext, options,
                        error))
            return false;
        word += tookNext ? 1 : 0;
    }
    return true;
}

// "-" and negative numbers are arguments.
bool CCommandLine::isOption(const std::string &word)
{
    return word.size() >= 2 && word[0] == '-'
        && (word[1] == '-' || std::isalpha(static_cast<unsigned char>(word[1])) != 0);
}

// word is --NAME, --NAME=VALUE, -L or -LVALUE; a value not attached to it
// is the next word, which tookNext then says was used.
bool CCommandLine::readOption(const CCommand &command, const std::string &word,
                              const std::string &next, bool hasNext, bool &tookNext,
                              std::map<std::string, std::string> &options, std::string &error)
{
    const bool isLong = word[1] == '-';
    const std::string::size_type valueStart = isLong ? word.find('=') : 2;
    const std::string written = word.substr(0, valueStart);
    const bool attached = valueStart < word.size();
    CCommand::Option option;
    if (!findOption(command, written, option)) {
        error = command.name() + " has no option " + CQuotedText::quote(written);
        return false;
    }
    if (options.count(option.name) > 0) {
        error = "--" + option.name + " is given twice";
        return false;
    }
    if (option.value.empty()) {
        if (isLong && valueStart != std::string::npos) {
            error = written + " takes no value";
            return false;
        }
        options[option.name] = "";
        return true;
    }
    if (!attached && !hasNext) {
        error = written + " needs a value: " + written + ' ' + option.value;
        return false;
    }
    tookNext = !attached;
    options[option.name] = attached ? word.substr(valueStart + (isLong ? 1 : 0)) : next;
    return true;
}

bool CCommandLine::findOption(const CCommand &command, const std::string &written,
                              CCommand::Option &found)
{
    for (const CCommand::Option &option : command.options()) {
        if (written == "--" + option.name
            || (option.letter != 0 && written == std::string { '-', option.letter })) {
            found = option;
            return true;
        }
    }
    return false;
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

int CCommandLine::fail(const std::string &message, std::ostream &err, int status)
{
    err << CCommand::errorLine(message);
    return status;
}
