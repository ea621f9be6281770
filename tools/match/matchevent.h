#ifndef CHECKERS_TOOLS_MATCH_MATCHEVENT_H
#define CHECKERS_TOOLS_MATCH_MATCHEVENT_H

#include "sprt.h"

#include <optional>
#include <string>
#include <vector>

// The Event tag of a match's games, "checkers-cli match A B GAMES SEED" with
// the arguments as given, then what else makes the games what they are, in
// this order: "--ballot" or "--openings NAME", and
// "--sprt ELO0,ELO1 --alpha A --beta B --elo-model MODEL" with every
// number in its shortest form. It names the match, whichever of its games a
// run plays, so that tally can tell the games of one match and find its
// players, its number of games and its test.
class CMatchEvent
{
public:
    // What the games start from and how they are judged; all empty for
    // games from the initial position counted one by one.
    struct Setup
    {
        bool ballot = false;
        // The openings file's name, without its folders.
        std::string openings;
        std::optional<CSprt::Settings> sprt;
    };

    // The tag of the match with these four arguments and that setup.
    static std::string text(const std::vector<std::string> &arguments, const Setup &setup);
    // Reads a tag as text() writes it; false for any other.
    bool parse(const std::string &text);

    const std::string &a() const { return m_a; }
    const std::string &b() const { return m_b; }
    int games() const { return m_games; }
    const Setup &setup() const { return m_setup; }
    // Whether the games are counted in pairs too.
    bool isPaired() const;

private:
    static std::string sprtText(const CSprt::Settings &settings);
    static bool parseSprt(const std::string &text, std::optional<CSprt::Settings> &settings);

    std::string m_a;
    std::string m_b;
    int m_games = 0;
    Setup m_setup;
};

#endif
