#ifndef CHECKERS_TOOLS_CLI_COMMANDLINE_H
#define CHECKERS_TOOLS_CLI_COMMANDLINE_H

#include "command.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Picks the command named by the first argument and runs it on the rest,
// with its options. Results go to out; --help and --version answer there.
// Every failure is one line on err and a status by its cause.
class CCommandLine
{
public:
    using CommandList = std::vector<std::unique_ptr<CCommand>>;

    // What a command line asks for, apart from its command.
    enum class Request { Run, Help, Version };

    // The exit statuses, as checkers-cli(6) lists them.
    enum ExitStatus {
        Success = 0,
        // Standard input could not be read, or out written: a folder, a
        // closed stream, a full device, a broken pipe.
        InputOrOutputFailed = 1,
        BadInput = 2,
        // Ctrl-C during match: 128 plus SIGINT's number, as a shell counts.
        // The tool itself then dies of SIGINT; run() only returns this.
        Interrupted = 130
    };

    // The tool's own commands.
    CCommandLine();
    explicit CCommandLine(CommandList commands);

    // arguments excludes the program name. errIsTerminal lets a command
    // redraw a progress line on err.
    int run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
            bool errIsTerminal = false) const;

    // --help and --version answer wherever they stand before "--", after the
    // command's name too; the first of the two wins.
    static Request request(const std::vector<std::string> &arguments);
    // What --version prints: the name and version, then the licence.
    static std::string version();
    // Reads the words after a command's name: its options, wherever they
    // stand before "--", and its arguments in order. A bad option gives
    // false and a one-line reason naming it.
    static bool readWords(const CCommand &command, const std::vector<std::string> &words,
                          std::vector<std::string> &arguments,
                          std::map<std::string, std::string> &options, std::string &error);

private:
    int parseAndRun(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err,
                    bool errIsTerminal) const;
    static bool isOption(const std::string &word);
    // --help or --version, which take no value.
    static bool isAnswer(const std::string &word);
    static bool readOption(const CCommand &command, const std::string &word,
                           const std::string &next, bool hasNext, bool &tookNext,
                           std::map<std::string, std::string> &options, std::string &error);
    static bool findOption(const CCommand &command, const std::string &written,
                           CCommand::Option &found);
    int runCommand(const CCommand &command, const CCommand::Call &call, std::ostream &err) const;
    // What became of the input and the output, once the command has run
    // with status.
    static int checkStreams(int status, std::ostream &out, std::ostream &err);
    // ": " and the reason for an errno, or nothing for 0.
    static std::string reason(int error);
    const CCommand *find(const std::string &name) const;
    // The usage, wrapped, each line ended by a newline.
    std::string usage() const;
    std::string help() const;
    static int fail(const std::string &message, std::ostream &err, int status = BadInput);

    CommandList m_commands;
};

#endif
