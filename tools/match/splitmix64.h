#ifndef CHECKERS_TOOLS_MATCH_SPLITMIX64_H
#define CHECKERS_TOOLS_MATCH_SPLITMIX64_H

#include <cstdint>

// The splitmix64 mixing function: a 64-bit number to another, every bit of
// the input spread over every bit of the output, the same on every machine.
// The seeds of a match's searches and the shuffle of its openings come from
// it, so that any shard of a match, anywhere, agrees with the others.
class CSplitMix64
{
public:
    static std::uint64_t mix(std::uint64_t z);
};

#endif
