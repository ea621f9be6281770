#ifndef CHECKERS_TESTS_ENGINE_POSITIONFROMTEXT_H
#define CHECKERS_TESTS_ENGINE_POSITIONFROMTEXT_H

#include "tools/position/position.h"
#include "tools/position/positiontext.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

// A position in the console tool's text form, reachable in a game or not; a
// typo in a test fails it.
inline CPosition positionFromText(const std::string &text)
{
    CPosition position;
    std::string error;
    EXPECT_TRUE(CPositionText::read(text, position, error)) << text << ": " << error;
    return position;
}

// The text of a board holding only the given pieces, e.g. {{28, 'W'}, {0, 'B'}},
// followed by the side to move and any further fields.
inline std::string piecesText(std::initializer_list<std::pair<int, char>> pieces,
                              const std::string &rest)
{
    std::string squares(32, '.');
    for (const auto &[square, piece] : pieces)
        squares[square] = piece;
    return squares + ' ' + rest;
}

#endif
