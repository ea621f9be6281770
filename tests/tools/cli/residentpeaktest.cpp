#include "tools/cli/residentpeak.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr long MiB = 1024;

long highWaterKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field;) {
        long value = 0;
        if (field == "VmHWM:" && status >> value)
            return value;
    }
    return -1;
}

void holdMemory(long kib, std::chrono::milliseconds time)
{
    std::vector<char> block(kib * 1024, 1);
    std::this_thread::sleep_for(time);
}

// An outside tool reads the kernel's peak after the measurement: it must
// still hold the earlier, higher peak of the process.
TEST(ResidentPeak, MeasuresTheRiseAndLeavesTheProcessPeakAlone)
{
    holdMemory(64 * MiB, std::chrono::milliseconds(0));
    malloc_trim(0);
    const long highWater = highWaterKiB();
    ASSERT_GE(highWater, 64 * MiB);
    const long rise
        = CResidentPeak::riseKiB([] { holdMemory(16 * MiB, std::chrono::milliseconds(200)); });
    EXPECT_GE(rise, 15 * MiB);
    EXPECT_LT(rise, 32 * MiB);
    EXPECT_GE(highWaterKiB(), highWater);
}

} // namespace
