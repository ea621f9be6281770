#ifndef CHECKERS_TOOLS_PDN_PDNMOVE_H
#define CHECKERS_TOOLS_PDN_PDNMOVE_H

#include "tools/position/position.h"

#include <string>
#include <vector>

// One move as PDN writes it: squares 1 to 32 or a1 to h8, joined by '-'
// for a plain move or by 'x' or ':' for a capture, which names every
// landing square or only the first and the last.
class CPdnMove
{
public:
    // The squares the piece stands on, from its start to its end, 0 to 31.
    using Path = std::vector<int>;

    // On failure reason says in one line what is wrong with text.
    static bool parse(const std::string &text, CPdnMove &move, std::string &reason);
    // Plays the move through the rules on position and gives every square
    // it passes; on failure position may be left mid-move.
    bool play(CPosition &position, Path &path, std::string &reason) const;

private:
    static bool parseSquare(const std::string &field, int &square, std::string &reason);
    bool playSteps(CPosition &position, std::string &reason) const;
    static bool playStep(CPosition &position, int from, int to, bool capture, std::string &reason);
    bool playCapture(CPosition &position, Path &path, std::string &reason) const;

    Path m_squares;
    bool m_capture = false;
};

#endif
