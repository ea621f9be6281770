#include "matchtally.h"

#include "tools/pdn/pdnreader.h"
#include "tools/position/numbertext.h"

bool CMatchTally::add(const CPdnReader &reader, std::string &error)
{
    ++m_read;
    int round;
    if (!readEvent(reader.tagValue("Event"), error)
        || !readRound(reader.tagValue("Round"), round, error))
        return false;
    const auto given = m_rounds.find(round);
    if (given != m_rounds.end()) {
        return fail("Round " + std::to_string(round) + " was given already, to game "
                        + std::to_string(given->second.read),
                    error);
    }
    // A players' result is no match game's: match plays each game out.
    const CPosition &end = reader.position();
    if (!end.isGameOver())
        return fail("the moves stop before the rules end the game", error);
    m_rounds.emplace(round, Game { m_read, end.result() });
    return true;
}

CMatchFigures CMatchTally::figures() const
{
    CMatchFigures figures(m_event.isPaired(), m_event.setup().sprt);
    for (const auto &[round, game] : m_rounds)
        figures.add(round, game.result);
    return figures;
}

bool CMatchTally::isComplete(std::string &error) const
{
    int expected = 1;
    for (const auto &[round, game] : m_rounds) {
        if (round != expected)
            break;
        ++expected;
    }
    const CMatchFigures counted = figures();
    if (expected > m_event.games() || (counted.isDecided() && counted.lastGame() < expected))
        return true;
    error = "Round " + std::to_string(expected) + " of the match's "
        + std::to_string(m_event.games()) + " games is missing";
    return false;
}

// The first game's Event names the match.
bool CMatchTally::readEvent(const std::string &event, std::string &error)
{
    if (m_read > 1)
        return event == m_eventText
            || fail("its Event tag names another match than game 1's", error);
    m_eventText = event;
    return m_event.parse(event) || fail("its Event tag names no match of checkers-cli", error);
}

bool CMatchTally::readRound(const std::string &text, int &round, std::string &error) const
{
    return (CNumberText::parse(text, round) && round >= 1 && round <= m_event.games())
        || fail("its Round is no game of the match, 1 to " + std::to_string(m_event.games()),
                error);
}

bool CMatchTally::fail(const std::string &reason, std::string &error) const
{
    error = "game " + std::to_string(m_read) + ": " + reason;
    return false;
}
