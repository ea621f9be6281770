#ifndef CHECKERS_TOOLS_MATCH_OPENINGORDER_H
#define CHECKERS_TOOLS_MATCH_OPENINGORDER_H

#include <cstdint>
#include <vector>

// The order in which the pairs of a match take its openings: as the deck or
// the file lists them, or shuffled by the match's seed; and from the K-th of
// that order on, back to the first after the last. The shuffle is
// Fisher-Yates from the last opening down: for i from n - 1 down to 1, the
// opening at i swaps places with the one at
// splitmix64(splitmix64(SEED) + i) mod (i + 1). It depends on SEED and n
// alone, so that every shard of a match, and tally, agree on it.
class COpeningOrder
{
public:
    // As listed, from the first.
    COpeningOrder() = default;
    COpeningOrder(bool shuffled, std::uint32_t seed, int start);

    // The place in the deck or the file, from 0, of each of count openings,
    // in the order the pairs take them; start is at most count.
    std::vector<int> places(int count) const;

private:
    bool m_shuffled = false;
    std::uint32_t m_seed = 0;
    // From 1.
    int m_start = 1;
};

#endif
