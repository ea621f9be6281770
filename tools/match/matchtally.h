#ifndef CHECKERS_TOOLS_MATCH_MATCHTALLY_H
#define CHECKERS_TOOLS_MATCH_MATCHTALLY_H

#include "matchevent.h"
#include "matchscore.h"

#include <map>
#include <string>

class CPdnReader;

// Adds up the games of one match read back from PDN, shards of it in any
// order. The Event tag names the match and its players, the Round the
// game's number, which says who had White; the game's moves, replayed to
// where the rules end it, give its result.
class CMatchTally
{
public:
    // Counts the game the reader has just read. False, with one line that
    // names the game, when it is of another match, has a Round given
    // before or outside the match, or is not played out.
    bool add(const CPdnReader &reader, std::string &error);
    // Whether every game of the match is in; false naming the first
    // missing Round.
    bool isComplete(std::string &error) const;

    // Both after a game is in.
    const CMatchEvent &event() const { return m_event; }
    const CMatchScore &score() const { return m_score; }

private:
    bool readEvent(const std::string &event, std::string &error);
    bool readRound(const std::string &text, int &round, std::string &error) const;
    bool fail(const std::string &reason, std::string &error) const;

    std::string m_eventText;
    CMatchEvent m_event;
    // Each Round read, with the game of the input that gave it.
    std::map<int, int> m_rounds;
    CMatchScore m_score;
    int m_read = 0;
};

#endif
