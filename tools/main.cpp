// checkers-cli: the rules engine and the computer player from the command
// line. Results go to standard output; bad input gives one line on standard
// error and status 2.

#include "commandline.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char *argv[])
{
    const CCommandLine commandLine;
    return commandLine.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                           isatty(STDERR_FILENO) != 0);
}
