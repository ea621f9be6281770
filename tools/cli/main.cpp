// checkers-cli: the rules engine and the computer player from the command
// line. Results go to standard output; each failure gives one line on
// standard error and a status by its cause.

#include "commandline.h"
#include "fileinput.h"
#include "fileoutput.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace {

// Ctrl-C was caught so that the command could end on a whole result. Dying
// of the signal after all tells a shell that its loop must stop too, which
// an exit status of 130 does not.
void dieOfInterruption()
{
    std::signal(SIGINT, SIG_DFL);
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigprocmask(SIG_UNBLOCK, &interrupt, nullptr);
    std::raise(SIGINT);
}

} // namespace

int main(int argc, char *argv[])
{
    // Standard input and output through buffers that keep the reason a read
    // or a write failed.
    CFileInput input(STDIN_FILENO);
    std::streambuf *const standardInput = std::cin.rdbuf(&input);
    CFileOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    const CCommandLine commandLine;
    const int status = commandLine.run(std::vector<std::string>(argv + 1, argv + argc), out,
                                       std::cerr, isatty(STDERR_FILENO) != 0);
    std::cin.rdbuf(standardInput);
    if (status == CCommandLine::Interrupted)
        dieOfInterruption();
    return status;
}
