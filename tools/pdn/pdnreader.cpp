#include "pdnreader.h"

#include "fentext.h"
#include "pdngametype.h"
#include "pdnwriter.h"
#include "tools/position/quotedtext.h"

namespace {

// Reasons that quote more of the offending text are cut too, so that the
// message stays a readable line.
constexpr std::string::size_type MaxReason = 160;

std::string quote(const std::string &text)
{
    return text.empty() ? "at the end of the input" : CQuotedText::quote(text);
}

// The international results as the other games write them; 0-0, a double
// forfeit, has no other form.
std::string standardResult(const std::string &result)
{
    if (result == "2-0")
        return "1-0";
    if (result == "0-2")
        return "0-1";
    if (result == "1-1")
        return "1/2-1/2";
    return result;
}

} // namespace

CPdnReader::CPdnReader(std::istream &in)
    : m_tokens(in)
{ }

CPdnReader::Outcome CPdnReader::readGame()
{
    if (m_skipRest)
        skipBadGame();
    startGame();
    Token token = nextToken();
    if (token.kind == Token::End)
        return NoMoreGames;
    for (;; token = nextToken()) {
        if (token.kind == Token::Result)
            return startMoves() && finish(token) ? GameRead : BadInput;
        if (!readToken(token)) {
            m_skipRest = token.kind != Token::End && !m_readAhead;
            return BadInput;
        }
    }
}

CPdnReader::Token CPdnReader::nextToken()
{
    if (!m_readAhead)
        return m_tokens.next();
    Token token = std::move(*m_readAhead);
    m_readAhead.reset();
    return token;
}

void CPdnReader::startGame()
{
    ++m_gameNumber;
    m_moveNumber = 1;
    m_mainLine.clear();
    m_inMoveText = false;
    m_tags.clear();
    m_repeatedTag.reset();
    m_lines = CPdnLines();
    m_result.clear();
}

// A bad game ends at its result, or where the next game's tags begin.
void CPdnReader::skipBadGame()
{
    m_skipRest = false;
    for (Token token = nextToken();; token = nextToken()) {
        if (token.kind == Token::Result || token.kind == Token::End)
            return;
        if (token.kind == Token::Tag && m_inMoveText) {
            m_readAhead = std::move(token);
            return;
        }
        m_inMoveText = m_inMoveText || token.kind != Token::Tag;
    }
}

bool CPdnReader::readToken(const Token &token)
{
    switch (token.kind) {
    case Token::Tag:
        return readTag(token);
    case Token::Bad:
        return fail(token.text, token.reason);
    case Token::End:
        // Tags alone are judged too: another game's type says more than
        // the missing moves.
        return startMoves() && fail("", "the game has no result token");
    default:
        break;
    }
    if (!startMoves())
        return false;
    switch (token.kind) {
    case Token::MoveNumber:
        readMoveNumber(token);
        return true;
    case Token::Move:
        return readMove(token);
    case Token::Open:
        return m_lines.open()
            || fail(token.text, "a variation replaces a move, and none comes before it");
    case Token::Close:
        return m_lines.close() || fail(token.text, "no variation is open");
    default:
        return true;
    }
}

bool CPdnReader::readTag(const Token &token)
{
    if (m_inMoveText) {
        m_readAhead = token;
        return fail(token.text, "a tag after the move text: the game has no result token");
    }
    if (m_tags.size() == MaxTags && tag(token.name) == nullptr)
        return fail(token.text, "a game holds at most " + std::to_string(MaxTags) + " tags");
    if (!m_tags.emplace(token.name, token).second && !m_repeatedTag)
        m_repeatedTag = token;
    return true;
}

bool CPdnReader::startMoves()
{
    if (m_inMoveText)
        return true;
    m_inMoveText = true;
    return checkTags();
}

// The game's type first: a game of other rules is refused for that, not
// for what follows from them.
bool CPdnReader::checkTags()
{
    std::string reason;
    const Token *gameType = tag("GameType");
    if (gameType != nullptr && !CPdnGameType::check(gameType->value, reason))
        return fail(gameType->text, reason);
    if (m_repeatedTag)
        return fail(m_repeatedTag->text, "the tag " + m_repeatedTag->name + " is given twice");
    const Token *result = tag("Result");
    if (result != nullptr && !CPdnTokenizer::isResult(result->value))
        return fail(result->text, "a result is 1-0, 0-1, 1/2-1/2, 2-0, 1-1, 0-2, 0-0 or *");
    const Token *setUp = tag("SetUp");
    const Token *fen = tag("FEN");
    if (setUp != nullptr && setUp->value != "0" && setUp->value != "1")
        return fail(setUp->text, "SetUp is \"0\" or \"1\"");
    if (setUp != nullptr && setUp->value == "1" && fen == nullptr)
        return fail(setUp->text, "SetUp \"1\" needs a FEN tag");
    if (setUp != nullptr && setUp->value == "0" && fen != nullptr)
        return fail(fen->text, "a FEN tag needs SetUp \"1\"");
    return fen == nullptr || checkFen();
}

bool CPdnReader::checkFen()
{
    const Token &fen = *tag("FEN");
    CPosition start;
    std::string error;
    if (!CFenText::parse(fen.value, start, m_moveNumber, error))
        return fail(fen.text, "impossible FEN: " + error);
    m_lines = CPdnLines(start);
    return true;
}

// Only a label: "1." may stand before Black's move, and numbers may skip.
void CPdnReader::readMoveNumber(const Token &token)
{
    int number = 0;
    if (CFenText::parseMoveNumber(token.value, number))
        m_moveNumber = number;
}

bool CPdnReader::readMove(const Token &token)
{
    const CPosition &current = m_lines.current();
    if (current.isGameOver())
        return fail(token.text,
                    "the rules ended the game with " + CPdnWriter::resultToken(current.result()));
    CPdnMove move;
    std::string reason;
    if (!CPdnMove::parse(token.value, move, reason))
        return fail(token.text, reason);
    CPosition after = current;
    CPdnMove::Path path;
    if (!move.play(after, path, reason))
        return fail(token.text, reason + blackFirstHint(move));
    if (current.sideToMove == CGameState::Black && after.sideToMove == CGameState::White)
        ++m_moveNumber;
    if (m_lines.depth() == 0) {
        for (std::size_t i = 1; i < path.size(); ++i)
            m_mainLine.emplace_back(path[i - 1], path[i]);
    }
    m_lines.played(after, path);
    return true;
}

// Games of rules where Black moves first are often written without a
// GameType; their first move is then Black's.
std::string CPdnReader::blackFirstHint(const CPdnMove &move) const
{
    if (!m_mainLine.empty() || m_lines.depth() > 0 || tag("GameType") != nullptr
        || tag("FEN") != nullptr)
        return "";
    CPosition blackFirst;
    blackFirst.sideToMove = CGameState::Black;
    CPdnMove::Path path;
    std::string reason;
    return move.play(blackFirst, path, reason) ? "; White moves first in this game" : "";
}

bool CPdnReader::finish(const Token &token)
{
    if (m_lines.depth() > 0)
        return fail(token.text, "the game ends inside a variation");
    const std::string result = standardResult(token.value);
    const Token *tagged = tag("Result");
    if (tagged != nullptr && standardResult(tagged->value) != result)
        return fail(token.text, "the Result tag says " + tagged->value);
    const CPosition &position = m_lines.current();
    const std::string rules
        = position.isGameOver() ? CPdnWriter::resultToken(position.result()) : result;
    if (result != rules)
        return fail(token.text, "the rules ended the game with " + rules);
    m_result = result;
    return true;
}

bool CPdnReader::fail(const std::string &text, const std::string &reason)
{
    m_error = "game " + std::to_string(m_gameNumber) + ", move " + std::to_string(m_moveNumber)
        + ", " + quote(text) + ": " + CQuotedText::shortened(reason, MaxReason);
    return false;
}

std::string CPdnReader::tagValue(const std::string &name) const
{
    const Token *found = tag(name);
    return found == nullptr ? "" : found->value;
}

const CPdnReader::Token *CPdnReader::tag(const std::string &name) const
{
    const auto found = m_tags.find(name);
    return found == m_tags.end() ? nullptr : &found->second;
}
