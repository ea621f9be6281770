#include "commandline.h"

#include "benchcommand.h"
#include "bestcommand.h"
#include "enginecommand.h"
#include "fileinput.h"
#include "fileoutput.h"
#include "interruption.h"
#include "matchcommand.h"
#include "movescommand.h"
#include "openingscommand.h"
#include "perftcommand.h"
#include "playcommand.h"
#include "replaycommand.h"
#include "tallycommand.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"

#include <cctype>
#include <cstring>
#include <iostream>

namespace {

// Each line a paragraph, wrapped for the terminal when printed.
const char *const PositionHelp
    = "POS is one argument, SQUARES SIDE [PENDING [PLIES]]: SQUARES is 32 characters for "
      "squares 0 to 31 in rows of four from the top, '.' empty, 'w'/'W' white man/king, "
      "'b'/'B' black man/king; SIDE is 'w' or 'b'; PENDING lists the squares captured so far "
      "in a capture sequence, comma-separated, or '-'; PLIES counts the moves without a "
      "capture, 0 to 41 (the 41st draws the game). A position no game could reach is refused: "
      "more than 12 pieces a side, a man on the row where it would have been crowned, pending "
      "captures that no capture goes on from.\n"
      "Options may come anywhere after a command's name; '--' ends them, and every word after "
      "it is an argument, in order. --help and --version take no value and may also come after "
      "a command's name, before any '--'; the first of the two answers.\n"
      "Each failure gives one line on standard error and an exit status: 1 if the input or the "
      "output failed (a result on standard error too), 2 for bad input, 130 if Ctrl-C stopped a "
      "match (the tool then ends by SIGINT itself, so that a shell stops its loop).";

// The licence, as GNU tools print it after their version.
const char *const Licence
    = "Copyright (C) 2026 the Checkers developers\n"
      "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
      "This is free software: you are free to change and redistribute it.\n"
      "There is NO WARRANTY, to the extent permitted by law.";

// The width of the terminal --help is written for.
constexpr std::string::size_type Columns = 80;

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

// The words of a line, split at spaces outside brackets, so that an option
// stays whole with its value.
std::vector<std::string> words(const std::string &line)
{
    std::vector<std::string> found { "" };
    int depth = 0;
    for (const char c : line) {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        if (c != ' ' || depth > 0)
            found.back() += c;
        else if (!found.back().empty())
            found.emplace_back();
    }
    if (found.back().empty())
        found.pop_back();
    return found;
}

// Lines of at most Columns columns, the first behind first, every other
// behind indent, each ended by a newline: as many units on a line as fit,
// a unit too long for a line of its own broken at its words.
std::string wrapped(const std::vector<std::string> &units, const std::string &first,
                    const std::string &indent)
{
    std::string text;
    std::string line = first;
    bool empty = true;
    const auto place = [&](const std::string &piece) {
        if (!empty && line.size() + 1 + piece.size() > Columns) {
            text += line + '\n';
            line = indent;
            empty = true;
        }
        line += (empty ? "" : " ") + piece;
        empty = false;
    };
    for (const std::string &unit : units) {
        if (indent.size() + unit.size() <= Columns) {
            place(unit);
            continue;
        }
        for (const std::string &word : words(unit))
            place(word);
    }
    return text + line + '\n';
}

// Each line of text a paragraph, wrapped.
std::string paragraphs(const std::string &text, const std::string &indent)
{
    std::string result;
    for (const std::string &line : CPositionText::split(text, '\n'))
        result += wrapped(words(line), indent, indent);
    return result;
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
        err << usage() << "Try 'checkers-cli --help' for more information.\n";
        return BadInput;
    }
    // Before the command only --help and --version may come.
    const std::string &first = arguments[0];
    const bool option = !first.empty() && first[0] == '-';
    if (option && !isAnswer(first)) {
        const std::string name = first.substr(0, first.find('='));
        return fail(isAnswer(name) ? name + " takes no value"
                                   : "unknown option " + CQuotedText::quote(first),
                    err);
    }
    if (!option && find(first) == nullptr)
        return fail("unknown command " + CQuotedText::quote(first), err);
    switch (request(arguments)) {
    case Request::Help:
        out << help();
        return checkStreams(Success, out, err);
    case Request::Version:
        out << version();
        return checkStreams(Success, out, err);
    case Request::Run:
        break;
    }
    return checkStreams(parseAndRun(arguments, out, err, errIsTerminal), out, err);
}

// The one place where standard output is found lost: every command writes
// through the stream and leaves its failure there. A command that reads
// standard input stops at a failed read as at its end, and this tells the
// two apart.
int CCommandLine::checkStreams(int status, std::ostream &out, std::ostream &err)
{
    out.flush();
    if (out.fail())
        return fail("write error" + reason(CFileOutput::errorOf(out)), err, InputOrOutputFailed);
    if (const int error = CFileInput::errorOf(std::cin); error != 0)
        return fail("read error" + reason(error), err, InputOrOutputFailed);
    if (CInterruption::requested())
        return fail("interrupted", err, Interrupted);
    return status;
}

std::string CCommandLine::reason(int error)
{
    return error == 0 ? "" : std::string(": ") + std::strerror(error);
}

CCommandLine::Request CCommandLine::request(const std::vector<std::string> &arguments)
{
    for (const std::string &argument : arguments) {
        if (argument == "--")
            break;
        if (isAnswer(argument))
            return argument == "--help" ? Request::Help : Request::Version;
    }
    return Request::Run;
}

bool CCommandLine::isAnswer(const std::string &word)
{
    return word == "--help" || word == "--version";
}

std::string CCommandLine::version()
{
    return std::string("checkers-cli ") + CHECKERS_VERSION + '\n' + Licence + '\n';
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
        error = isAnswer(written)
            ? written + " takes no value"
            : command.name() + " has no option " + CQuotedText::quote(written);
        return false;
    }
    const bool again = options.count(option.name) > 0;
    if (again && !option.repeatable) {
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
    const std::string value = attached ? word.substr(valueStart + (isLong ? 1 : 0)) : next;
    options[option.name] += again ? '\0' + value : value;
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
    const bool ran = command.run(call, error);
    // A result written on err, such as match's summary beside its games,
    // is output too; the line saying it was lost may go unseen, the status
    // still tells.
    if (err.fail())
        return InputOrOutputFailed;
    if (!ran)
        return error.empty()
            ? BadInput
            : fail(error, err, call.failedOutside ? InputOrOutputFailed : BadInput);
    return Success;
}

const CCommand *CCommandLine::find(const std::string &name) const
{
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

// A line breaks between two commands, after the "|", unless one command is
// too long for a line.
std::string CCommandLine::usage() const
{
    std::vector<std::string> units { "checkers-cli" };
    for (const auto &command : m_commands)
        units.push_back(command->usage() + (&command == &m_commands.back() ? "" : " |"));
    return wrapped(units, "usage: ", std::string(std::strlen("usage: checkers-cli "), ' '));
}

std::string CCommandLine::help() const
{
    std::string text = usage() + "       checkers-cli --help | --version\n\n";
    for (const auto &command : m_commands)
        text += wrapped(words(command->usage()), "  ", "    ")
            + paragraphs(command->help(), "      ");
    return text + '\n' + paragraphs(PositionHelp, "");
}

int CCommandLine::fail(const std::string &message, std::ostream &err, int status)
{
    err << CCommand::errorLine(message);
    return status;
}
