// checkers-cli: the rules engine and the computer player from the command
// line. Results go to standard output; each failure gives one line on
// standard error and a status by its cause.

#include "commandline.h"
#include "fileoutput.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Standard output through a buffer that keeps the reason a write failed.
    CFileOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const CCommandLine commandLine;
    return commandLine.run(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr,
                           isatty(STDERR_FILENO) != 0);
}
