#ifndef CHECKERS_TOOLS_COMMAND_H
#define CHECKERS_TOOLS_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

class CPosition;

// One command of the console tool, selected by its name on the command line.
class CCommand
{
public:
    virtual ~CCommand() = default;

    // The word that selects the command, e.g. "perft".
    virtual std::string name() const = 0;
    // The names of its arguments in order, e.g. POS and DEPTH.
    virtual std::vector<std::string> parameters() const = 0;
    // Runs with exactly as many arguments as parameters() names and writes
    // the results to out. Bad input gives false and a one-line reason.
    virtual bool run(const std::vector<std::string> &arguments, std::ostream &out,
                     std::string &error) const = 0;

    // The name followed by the parameter names.
    std::string usage() const;

protected:
    static bool readPosition(const std::string &text, CPosition &position, std::string &error);
    // Reads an integer from min to max; what names it in the error.
    static bool readNumber(const std::string &text, const std::string &what, int min, int max,
                           int &value, std::string &error);
};

#endif
