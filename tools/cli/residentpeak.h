#ifndef CHECKERS_TOOLS_CLI_RESIDENTPEAK_H
#define CHECKERS_TOOLS_CLI_RESIDENTPEAK_H

#include <functional>

// How far the resident memory of the process rises while a piece of work
// runs, found by sampling it from another thread. The kernel's own peak is
// left alone, so that outside tools still read the true peak of the process.
class CResidentPeak
{
public:
    // The rise in KiB above the level at the start, or -1 where the system
    // cannot tell.
    static long riseKiB(const std::function<void()> &work);
    // The resident memory of the process in KiB now, or -1.
    static long residentKiB();
};

#endif
