#include "engine/randomgenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The terms come from the same sequence, in turn with the plain numbers, and
// across the ends of the generator's batches.
TEST(RandomGenerator, YieldsTheSequenceOfRandAfterSrand)
{
    // 0 stands for 1 in srand; the seeds above 2^31 are negative words there.
    for (unsigned seed : { 0u, 1u, 2u, 99u, 1765111111u, 0x80000000u, 0xffffffffu }) {
        CRandomGenerator random(seed);
        std::srand(seed);
        for (int draw = 0; draw < 20000; ++draw) {
            if (draw % 3 == 2)
                ASSERT_EQ(random.nextTerm(), std::rand() % 7 - 3)
                    << "seed " << seed << ", draw " << draw;
            else
                ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", draw " << draw;
        }
        EXPECT_EQ(random.draws(), 20000);
    }
}
