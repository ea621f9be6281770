#ifndef CHECKERS_TOOLS_CLI_INTERRUPTION_H
#define CHECKERS_TOOLS_CLI_INTERRUPTION_H

#include <csignal>

// Catches Ctrl-C (SIGINT) while it lives, so that a long command can stop
// between two whole results instead of dying in the middle of one. The
// handler only raises a flag; the command polls it.
class CInterruption
{
public:
    CInterruption();
    ~CInterruption();
    CInterruption(const CInterruption &) = delete;
    CInterruption &operator=(const CInterruption &) = delete;

    // Whether Ctrl-C came since the last CInterruption was made.
    static bool requested();

private:
    static void handle(int signal);

    struct sigaction m_previous
    {
    };
};

#endif
