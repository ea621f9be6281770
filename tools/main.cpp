// checkers-cli: the rules engine from the command line. Results go to
// standard output; bad input gives one line on standard error and status 2.

#include "commandline.h"

#include <iostream>

int main(int argc, char *argv[])
{
    const CCommandLine commandLine;
    return commandLine.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
