#include "engine/randomgenerator.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The terms come from the same sequence, up to three looked at and none to
// three used at a time, in turn with the plain numbers and across the ends
// of the generator's batches.
TEST(RandomGenerator, YieldsTheSequenceOfRandAfterSrand)
{
    // 0 stands for 1 in srand; the seeds above 2^31 are negative words there.
    for (unsigned seed : { 0u, 1u, 2u, 99u, 1765111111u, 0x80000000u, 0xffffffffu }) {
        CRandomGenerator random(seed);
        std::srand(seed);
        for (int step = 0; step < 10000; ++step) {
            const int count = step % 4;
            const std::int32_t *terms = random.termsAhead(3);
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(terms[i], std::rand() % 7 - 3) << "seed " << seed << ", step " << step;
            random.skipTo(terms + count);
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", step " << step;
        }
        EXPECT_EQ(random.draws(), 10000 + 15000);
    }
}
