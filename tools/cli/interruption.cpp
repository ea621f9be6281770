#include "interruption.h"

#include <atomic>

namespace {

// Set from a signal handler, so it must be lock-free.
std::atomic<bool> interrupted { false };
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

CInterruption::CInterruption()
{
    interrupted = false;
    struct sigaction action
    {
    };
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    // Writes and waits go on after the handler has run.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &m_previous);
    // A shell starts background jobs with Ctrl-C ignored: they keep it so.
    if (m_previous.sa_handler == SIG_IGN)
        sigaction(SIGINT, &m_previous, nullptr);
}

CInterruption::~CInterruption()
{
    sigaction(SIGINT, &m_previous, nullptr);
}

bool CInterruption::requested()
{
    return interrupted;
}

void CInterruption::handle(int /*signal*/)
{
    interrupted = true;
}
