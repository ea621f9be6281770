#include "engine/randomgenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(RandomGenerator, YieldsTheSequenceOfRandAfterSrand)
{
    // 0 stands for 1 in srand; the seeds above 2^31 are negative words there.
    for (unsigned seed : { 0u, 1u, 2u, 99u, 1765111111u, 0x80000000u, 0xffffffffu }) {
        CRandomGenerator random(seed);
        std::srand(seed);
        for (int draw = 0; draw < 20000; ++draw)
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", draw " << draw;
    }
}
