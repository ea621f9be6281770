#ifndef CHECKERS_TOOLS_MATCH_OPENINGFILE_H
#define CHECKERS_TOOLS_MATCH_OPENINGFILE_H

#include "opening.h"

#include <string>
#include <vector>

// Reads openings from a file of PDN games, one opening a game: its start
// position (the initial one unless a FEN gives another) and its main line.
// Variations, comments and the result token are read and left.
class COpeningFile
{
public:
    // False with one line when the file cannot be read, holds no game, holds
    // a game that does not replay, as replay names it, or one whose main
    // line the rules have already ended.
    static bool read(const std::string &path, std::vector<COpening> &openings, std::string &error);
};

#endif
