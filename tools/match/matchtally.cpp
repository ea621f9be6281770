#include "matchtally.h"

#include "matchseat.h"
#include "tools/pdn/pdnreader.h"
#include "tools/pdn/pdnwriter.h"
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
    // A players' result is no match game's: match plays each game out, or
    // records the fault that ended it.
    const CPosition &end = reader.position();
    Game game { m_read, CMatchSeat(round).halfPointsOfA(end.result()), CMatchPlayer::Fault::None,
                false };
    if (!end.isGameOver() && !readForfeit(reader, round, game, error))
        return false;
    m_rounds.emplace(round, game);
    return true;
}

// The side at fault must have lost.
bool CMatchTally::readForfeit(const CPdnReader &reader, int round, Game &game,
                              std::string &error) const
{
    int side;
    if (!CMatchFaults::readTermination(reader.tagValue("Termination"), game.fault, side))
        return fail("the moves stop before the rules end the game", error);
    const int result = side == CGameState::White ? CGameState::BlackWins : CGameState::WhiteWins;
    if (reader.result() != CPdnWriter::resultToken(result))
        return fail("its result is not the forfeit its Termination tag gives", error);
    const CMatchSeat seat(round);
    game.halfPointsOfA = seat.halfPointsOfA(result);
    game.faultOfA = seat.isA(side);
    return true;
}

CMatchFaults CMatchTally::faults() const
{
    const int last = figures().lastGame();
    CMatchFaults faults;
    for (const auto &[round, game] : m_rounds) {
        if (round <= last && game.fault != CMatchPlayer::Fault::None)
            faults.add(game.faultOfA, game.fault);
    }
    return faults;
}

std::map<int, int> CMatchTally::countedGames() const
{
    const int last = figures().lastGame();
    std::map<int, int> counted;
    for (const auto &[round, game] : m_rounds) {
        if (round <= last)
            counted.emplace(round, game.halfPointsOfA);
    }
    return counted;
}

CMatchFigures CMatchTally::figures() const
{
    CMatchFigures figures(m_plan.isPaired(), m_plan.sprt());
    for (const auto &[round, game] : m_rounds)
        figures.add(round, game.halfPointsOfA);
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
    if (expected > m_plan.games() || (counted.isDecided() && counted.lastGame() < expected))
        return true;
    error = "Round " + std::to_string(expected) + " of the match's "
        + std::to_string(m_plan.games()) + " games is missing";
    return false;
}

// The first game's Event names the match.
bool CMatchTally::readEvent(const std::string &event, std::string &error)
{
    if (m_read > 1)
        return event == m_eventText
            || fail("its Event tag names another match than game 1's", error);
    m_eventText = event;
    return m_plan.readEvent(event) || fail("its Event tag names no match of checkers-cli", error);
}

bool CMatchTally::readRound(const std::string &text, int &round, std::string &error) const
{
    return (CNumberText::parse(text, round) && round >= 1 && round <= m_plan.games())
        || fail("its Round is no game of the match, 1 to " + std::to_string(m_plan.games()), error);
}

bool CMatchTally::fail(const std::string &reason, std::string &error) const
{
    error = "game " + std::to_string(m_read) + ": " + reason;
    return false;
}
