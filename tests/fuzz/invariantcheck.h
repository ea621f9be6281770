#ifndef CHECKERS_TESTS_FUZZ_INVARIANTCHECK_H
#define CHECKERS_TESTS_FUZZ_INVARIANTCHECK_H

#include "rules/gamestate.h"

#include <string>

// What every position must hold between two calls of the rules, and the
// way the fuzz targets stop on the first thing found broken.
class CInvariantCheck
{
public:
    // The first broken invariant in one line, or empty when all hold.
    static std::string violation(const CGameState &position);
    // The first field in which the two differ, or empty when none does.
    static std::string difference(const CGameState &a, const CGameState &b);
    static bool sameMemo(const CGameState &a, const CGameState &b);

    // Aborts with the message, and the position where one is given, unless
    // holds is true, so that the fuzzer keeps the input that did it.
    static void require(bool holds, const std::string &message);
    static void require(bool holds, const std::string &message, const CGameState &position);
    static void requireSound(const CGameState &position, const std::string &context);
};

#endif
