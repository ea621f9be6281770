#ifndef CHECKERS_TOOLS_MATCH_MATCHEVENT_H
#define CHECKERS_TOOLS_MATCH_MATCHEVENT_H

#include <string>
#include <vector>

// The Event tag of a match's games, "checkers-cli match A B GAMES SEED" with
// the arguments as given. It names the match, whichever of its games a run
// plays, so that tally can tell the games of one match and find its players
// and its number of games.
class CMatchEvent
{
public:
    // The tag of the match with these four arguments.
    static std::string text(const std::vector<std::string> &arguments);
    // Reads a tag as text() writes it; false for any other.
    bool parse(const std::string &text);

    const std::string &a() const { return m_a; }
    const std::string &b() const { return m_b; }
    int games() const { return m_games; }

private:
    std::string m_a;
    std::string m_b;
    int m_games = 0;
};

#endif
