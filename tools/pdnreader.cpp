#include "pdnreader.h"

#include "capturepaths.h"
#include "fentext.h"
#include "numbertext.h"
#include "pdnwriter.h"
#include "positiontext.h"

#include <algorithm>

namespace {

// A game set up from a FEN may start at any move number. The draw rule
// ends every game within about a thousand moves, so the count stays far
// from overflow.
constexpr int MaxMoveNumber = 1000000;
// Longer offending text, and reasons that quote more of it, are cut, so
// that the message stays a readable line.
constexpr std::string::size_type MaxQuote = 40;
constexpr std::string::size_type MaxReason = 120;

bool isResultToken(const std::string &text)
{
    return text == "1-0" || text == "0-1" || text == "1/2-1/2" || text == "*";
}

std::string squareName(int square)
{
    return std::to_string(square + 1);
}

std::string shortened(const std::string &text, std::string::size_type length)
{
    return text.size() > length ? text.substr(0, length) + "..." : text;
}

std::string quote(const std::string &text)
{
    return text.empty() ? "at the end of the input" : "'" + shortened(text, MaxQuote) + "'";
}

// No game type number names these rules, so only the long form can:
// "NUMBER,W,8,8,N...": White moves first on an 8x8 board with numbered
// squares.
bool isThisGameType(const std::string &value)
{
    const std::vector<std::string> fields = CPositionText::split(value, ',');
    return fields.size() >= 5 && fields[1] == "W" && fields[2] == "8" && fields[3] == "8"
        && fields[4].rfind('N', 0) == 0;
}

} // namespace

CPdnReader::CPdnReader(std::istream &in)
    : m_tokens(in)
{ }

CPdnReader::Outcome CPdnReader::readGame()
{
    startGame();
    Token token = m_tokens.next();
    if (token.kind == Token::End)
        return NoMoreGames;
    for (;; token = m_tokens.next()) {
        if (token.kind == Token::Word && isResultToken(token.text))
            return startMoves() && finish(token.text) ? GameRead : BadInput;
        if (!readToken(token))
            return BadInput;
    }
}

void CPdnReader::startGame()
{
    ++m_gameNumber;
    m_moveNumber = 1;
    m_numbered = false;
    m_inMoveText = false;
    m_tags.clear();
    m_position = CPosition();
    m_result.clear();
}

bool CPdnReader::readToken(const Token &token)
{
    switch (token.kind) {
    case Token::Tag:
        return readTag(token);
    case Token::Word:
        return startMoves() && readWord(token.text);
    case Token::Bad:
        return fail(token.text, token.reason);
    default:
        return fail("", "the game has no result token");
    }
}

bool CPdnReader::readTag(const Token &token)
{
    if (m_inMoveText)
        return fail(token.text, "a tag after the move text: the game has no result token");
    if (m_tags.count(token.name) != 0)
        return fail(token.text, "the tag " + token.name + " is given twice");
    if (!checkTagValue(token))
        return false;
    m_tags.emplace(token.name, token);
    return true;
}

// Tags other than these are kept for nothing but their uniqueness.
bool CPdnReader::checkTagValue(const Token &token)
{
    const std::string &value = token.value;
    if (token.name == "Result" && !isResultToken(value))
        return fail(token.text, "a result is 1-0, 0-1, 1/2-1/2 or *");
    if (token.name == "SetUp" && value != "0" && value != "1")
        return fail(token.text, "SetUp is \"0\" or \"1\"");
    if (token.name == "GameType" && !isThisGameType(value))
        return fail(token.text,
                    "another game: this one has White moving first on an 8x8 board "
                    "with numbered squares");
    std::string error;
    if (token.name == "FEN" && !CFenText::parse(value, m_position, error))
        return fail(token.text, "impossible FEN: " + error);
    return true;
}

bool CPdnReader::startMoves()
{
    if (m_inMoveText)
        return true;
    m_inMoveText = true;
    const Token *setUp = tag("SetUp");
    const Token *fen = tag("FEN");
    if (setUp != nullptr && setUp->value == "1" && fen == nullptr)
        return fail(setUp->text, "SetUp \"1\" needs a FEN tag");
    if (setUp != nullptr && setUp->value == "0" && fen != nullptr)
        return fail(fen->text, "a FEN tag needs SetUp \"1\"");
    return true;
}

// A move number, a move, or the two run together as in "1.22-18".
bool CPdnReader::readWord(const std::string &word)
{
    if (m_position.isGameOver())
        return fail(
            word, "the rules ended the game with " + CPdnWriter::resultToken(m_position.result()));
    const std::string::size_type digits = word.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos || word[digits] != '.')
        return readMove(word);
    const std::string::size_type end = std::min(word.find_first_not_of('.', digits), word.size());
    if (!readMoveNumber(word.substr(0, end), digits))
        return false;
    return end == word.size() || readMove(word.substr(end));
}

// "N." before White's move, "N..." before Black's. A game set up from a
// FEN takes its first number as given; every other number must be the
// count of the moves so far.
bool CPdnReader::readMoveNumber(const std::string &text, std::string::size_type digits)
{
    const std::string dots = text.substr(digits);
    if (dots != "." && dots != "...")
        return fail(text, "a move number ends in '.' or '...'");
    const bool white = m_position.sideToMove == CGameState::White;
    if ((dots == ".") != white)
        return fail(text,
                    white ? "White is to move: its moves are numbered 'N.'"
                          : "Black is to move: its moves are numbered 'N...'");
    int number = 0;
    const bool valid = CNumberText::parse(text.substr(0, digits), number) && number >= 1
        && number <= MaxMoveNumber;
    const bool given = !m_numbered && tag("FEN") != nullptr;
    if (!valid || (!given && number != m_moveNumber))
        return fail(text, "this is move " + std::to_string(m_moveNumber));
    m_moveNumber = number;
    m_numbered = true;
    return true;
}

bool CPdnReader::readMove(const std::string &text)
{
    std::vector<int> squares;
    char separator = 0;
    if (!readSquares(text, squares, separator))
        return false;
    const int side = m_position.sideToMove;
    const bool played = separator == 'x' && squares.size() == 2
        ? playCapture(text, squares[0], squares[1])
        : playSteps(text, squares, separator == 'x');
    if (!played)
        return false;
    if (side == CGameState::Black && m_position.sideToMove == CGameState::White)
        ++m_moveNumber;
    return true;
}

// Squares joined by '-' (a plain move, two squares) or by 'x' (a capture).
bool CPdnReader::readSquares(const std::string &text, std::vector<int> &squares, char &separator)
{
    const std::string::size_type mark = text.find_first_of("-x");
    if (mark == std::string::npos || text.find_first_not_of("0123456789-x") != std::string::npos)
        return fail(text, "neither a move, a move number nor a result");
    separator = text[mark];
    if (text.find(separator == '-' ? 'x' : '-') != std::string::npos)
        return fail(text, "a move joins its squares with '-' or with 'x', not both");
    const std::vector<std::string> fields = CPositionText::split(text, separator);
    if (separator == '-' && fields.size() > 2)
        return fail(text, "a plain move has two squares");
    for (const std::string &field : fields) {
        int number = 0;
        if (field.empty())
            return fail(text, "neither a move, a move number nor a result");
        if (!CNumberText::parse(field, number) || number < 1 || number > CGameState::SquareCount)
            return fail(text, "square " + field + " is off the board (1 to 32)");
        squares.push_back(number - 1);
    }
    return true;
}

// Each step goes from the square the last one reached; a capture names
// every square it lands on.
bool CPdnReader::playSteps(const std::string &text, const std::vector<int> &squares, bool capture)
{
    const int side = m_position.sideToMove;
    for (std::size_t i = 1; i < squares.size(); ++i) {
        if (m_position.sideToMove != side)
            return fail(text, "the capture ends on " + squareName(squares[i - 1]));
        if (!playStep(text, squares[i - 1], squares[i], capture))
            return false;
    }
    return true;
}

bool CPdnReader::playStep(const std::string &text, int from, int to, bool capture)
{
    const std::string step = squareName(from) + (capture ? 'x' : '-') + squareName(to);
    int captured = -1;
    if (!m_position.isLegalMove(from, to, captured))
        return fail(text, "the rules do not allow " + step);
    if (capture && captured == -1)
        return fail(text, step + " takes no piece");
    if (!capture && captured != -1)
        return fail(text,
                    step + " takes a piece: write " + squareName(from) + 'x' + squareName(to));
    m_position.makeMove(from, to);
    return true;
}

// FROMxTO is one capture step or, when it is none, short for the one
// capture sequence that joins the two squares.
bool CPdnReader::playCapture(const std::string &text, int from, int to)
{
    int captured = -1;
    if (m_position.isLegalMove(from, to, captured) && captured != -1)
        return m_position.makeMove(from, to);
    const std::vector<CCapturePaths::Path> paths = CCapturePaths::find(m_position, from, to, 2);
    const std::string squares = squareName(from) + " and " + squareName(to);
    if (paths.empty())
        return fail(text, "no capture sequence joins " + squares);
    if (paths.size() > 1)
        return fail(text, "more than one capture sequence joins " + squares);
    int square = from;
    for (int landing : paths[0]) {
        m_position.makeMove(square, landing);
        square = landing;
    }
    return true;
}

bool CPdnReader::finish(const std::string &token)
{
    const Token *result = tag("Result");
    if (result != nullptr && result->value != token)
        return fail(token, "the Result tag says " + result->value);
    if (m_position.isGameOver() && token != CPdnWriter::resultToken(m_position.result()))
        return fail(
            token, "the rules ended the game with " + CPdnWriter::resultToken(m_position.result()));
    if (!m_position.isGameOver() && token != "*")
        return fail(token, "the rules have not ended the game, so its result is *");
    m_result = token;
    return true;
}

bool CPdnReader::fail(const std::string &text, const std::string &reason)
{
    m_error = "game " + std::to_string(m_gameNumber) + ", move " + std::to_string(m_moveNumber)
        + ", " + quote(text) + ": " + shortened(reason, MaxReason);
    return false;
}

const CPdnReader::Token *CPdnReader::tag(const std::string &name) const
{
    const auto found = m_tags.find(name);
    return found == m_tags.end() ? nullptr : &found->second;
}
