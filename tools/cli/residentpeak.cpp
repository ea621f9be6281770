#include "residentpeak.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

long CResidentPeak::residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident))
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A sample every millisecond: the searches measured run for far longer, and
// their memory grows until they end.
long CResidentPeak::riseKiB(const std::function<void()> &work)
{
    malloc_trim(0);
    const long before = residentKiB();
    if (before < 0)
        return -1;
    std::atomic<bool> done { false };
    long peak = before;
    std::thread sampler([&done, &peak] {
        while (!done.load()) {
            peak = std::max(peak, residentKiB());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    work();
    const long after = residentKiB();
    done = true;
    sampler.join();
    return std::max(peak, after) - before;
}
