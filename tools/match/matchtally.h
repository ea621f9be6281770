#ifndef CHECKERS_TOOLS_MATCH_MATCHTALLY_H
#define CHECKERS_TOOLS_MATCH_MATCHTALLY_H

#include "matchfaults.h"
#include "matchfigures.h"
#include "matchplan.h"

#include <map>
#include <string>

class CPdnReader;

// Adds up the games of one match read back from PDN, shards of it in any
// order. The Event tag names the match, its players and its test, the Round
// the game's number, which says who had White and which pair it is of; the
// game's moves, replayed to where the rules end it, give its result. The
// figures take the games in Round order, as the match played them, so that
// its test stops where the match's did.
class CMatchTally
{
public:
    // Counts the game the reader has just read. False, with one line that
    // names the game, when it is of another match, has a Round given
    // before or outside the match, or is not played out.
    bool add(const CPdnReader &reader, std::string &error);
    // Whether every game of the match is in, or every game up to where its
    // test stopped it; false naming the first missing Round.
    bool isComplete(std::string &error) const;

    // Both after a game is in.
    const CMatchPlan &plan() const { return m_plan; }
    CMatchFigures figures() const;
    // The faults of the games the figures count, from their Termination
    // tags.
    CMatchFaults faults() const;
    int games() const { return m_read; }
    // A's half points in each game the figures count, by Round.
    std::map<int, int> countedGames() const;

private:
    struct Game
    {
        // Its place in the input.
        int read;
        int halfPointsOfA;
        CMatchPlayer::Fault fault;
        bool faultOfA;
    };

    bool readEvent(const std::string &event, std::string &error);
    bool readRound(const std::string &text, int &round, std::string &error) const;
    bool readForfeit(const CPdnReader &reader, int round, Game &game, std::string &error) const;
    bool fail(const std::string &reason, std::string &error) const;

    std::string m_eventText;
    CMatchPlan m_plan;

    // Each Round read.
    std::map<int, Game> m_rounds;
    int m_read = 0;
};

#endif
