#include "matchtally.h"

#include "matchrunner.h"
#include "playername.h"
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
    if (m_read == 1 && !readLabels(reader, round, error))
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
    Game game { m_read, end.result(), CMatchPlayer::Fault::None, false };
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
    game.result = side == CGameState::White ? CGameState::BlackWins : CGameState::WhiteWins;
    if (reader.result() != CPdnWriter::resultToken(game.result))
        return fail("its result is not the forfeit its Termination tag gives", error);
    game.faultOfA = (side == CGameState::White) == CMatchRunner::isWhiteA(round);
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

// A built-in player is named as the Event gives it, an engine by the name
// in its tag.
bool CMatchTally::readLabels(const CPdnReader &reader, int round, std::string &error)
{
    const bool aIsWhite = CMatchRunner::isWhiteA(round);
    const std::string white = reader.tagValue("White"), black = reader.tagValue("Black");
    return readLabel(m_event.a(), aIsWhite ? white : black, m_labelA, error)
        && readLabel(m_event.b(), aIsWhite ? black : white, m_labelB, error);
}

bool CMatchTally::readLabel(const std::string &player, const std::string &tag, std::string &label,
                            std::string &error) const
{
    const std::string::size_type at = player.find('@');
    int depth;
    if (at == std::string::npos) {
        label = player;
        return true;
    }
    return (CNumberText::parse(player.substr(0, at), depth)
            && CPlayerName::labelOfTag(tag, depth, label))
        || fail("its tags name no engine " + player.substr(0, at + 1) + "NAME", error);
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
