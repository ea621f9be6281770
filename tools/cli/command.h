#ifndef CHECKERS_TOOLS_CLI_COMMAND_H
#define CHECKERS_TOOLS_CLI_COMMAND_H

#include <cstdint>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

class CPosition;

// One command of the console tool, selected by its name on the command line.
class CCommand
{
public:
    // An option the command takes: --NAME VALUE or --NAME=VALUE, or --NAME
    // alone when value is empty; -L VALUE or -LVALUE too if it has a letter.
    // A repeatable one may be given more than once: its values are joined
    // by a NUL, which no argument can hold.
    struct Option
    {
        std::string name;
        std::string value;
        char letter = 0;
        bool repeatable = false;
    };

    // What one run is given, and where it writes.
    struct Call
    {
        // Exactly as many as parameters() names.
        std::vector<std::string> arguments;
        // The options given, by name; a flag's value is empty.
        std::map<std::string, std::string> options;
        // The results.
        std::ostream &out;
        // What is not a result: progress, and a summary when out carries data.
        std::ostream &err;
        // Whether err is a terminal, where a line may be redrawn in place.
        bool errIsTerminal;
        // Set by a run that failed for a cause outside its input, such as
        // an engine that could not be started again: its status is then 1,
        // not 2.
        mutable bool failedOutside = false;
    };

    virtual ~CCommand() = default;

    // The word that selects the command, e.g. "perft".
    virtual std::string name() const = 0;
    // The names of its arguments in order, e.g. POS and DEPTH.
    virtual std::vector<std::string> parameters() const = 0;
    // The options it accepts; none unless it says so.
    virtual std::vector<Option> options() const;
    // What it does and prints, for --help: plain text, each line a
    // paragraph, which --help wraps.
    virtual std::string help() const = 0;
    // Writes the results to call.out. Bad input gives false and a one-line
    // reason, or none when the command has said on call.err what was wrong.
    virtual bool run(const Call &call, std::string &error) const = 0;

    // The name, the parameter names and the options in brackets.
    std::string usage() const;
    // A refusal as the tool writes it on standard error: one line.
    static std::string errorLine(const std::string &message);

protected:
    static bool readPosition(const std::string &text, CPosition &position, std::string &error);
    // A finished game has no step left: writes the verdict the rules gave
    // it, a loss for a side to move without a step, else the draw the move
    // count reached, and gives true.
    static bool writeVerdict(const CPosition &position, std::ostream &out);
    // Whether reading in failed, not just came to its end. The command
    // then stops at once, and the command line reports it.
    static bool readFailed(const std::istream &in);
    // Reads a random seed: any unsigned 32-bit number.
    static bool readSeed(const std::string &text, std::uint32_t &seed, std::string &error);
};

#endif
