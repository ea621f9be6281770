#include "fentext.h"

#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"

#include <vector>

namespace {

const char *colourName(int side)
{
    return side == CGameState::White ? "white" : "black";
}

} // namespace

bool CFenText::parse(const std::string &text, CPosition &position, int &firstMove,
                     std::string &error)
{
    const bool stop = !text.empty() && text.back() == '.';
    const std::vector<std::string> fields
        = CPositionText::split(text.substr(0, text.size() - stop), ':');
    if (fields.size() < 3 || fields.size() > 5) {
        error = "a FEN is the side to move and two colours' squares, e.g. W:W21,K32:B1-12, then "
                "H and F if given";
        return false;
    }
    CPosition parsed;
    for (int &square : parsed.squares)
        square = CGameState::Empty;
    parsed.whiteCount = parsed.blackCount = 0;
    int first = 1;
    if (!parseSide(fields[0], parsed, error) || !checkColours(fields[1], fields[2], error)
        || !parseColour(fields[1], parsed, error) || !parseColour(fields[2], parsed, error))
        return false;
    for (std::size_t i = 3; i < fields.size(); ++i) {
        if (!parseCount(fields[i], parsed, first, error))
            return false;
    }
    if (fields.size() == 5 && fields[3][0] == fields[4][0]) {
        error = std::string("field ") + fields[3][0] + " is given twice";
        return false;
    }
    if (!checkPlayable(parsed, error))
        return false;
    position = parsed;
    firstMove = first;
    return true;
}

bool CFenText::parseMoveNumber(const std::string &text, int &number)
{
    int parsed = 0;
    if (!CNumberText::parse(text, parsed) || parsed < 1 || parsed > MaxMoveNumber)
        return false;
    number = parsed;
    return true;
}

// H, the moves since the last capture, or F, the number of the first move.
bool CFenText::parseCount(const std::string &field, CPosition &position, int &firstMove,
                          std::string &error)
{
    const std::string number = field.empty() ? "" : field.substr(1);
    int plies = 0;
    if (field.rfind('H', 0) == 0 && CNumberText::parse(number, plies) && plies >= 0
        && plies <= CGameState::DrawPlies) {
        position.pliesWithoutCapture = plies;
        return true;
    }
    if (field.rfind('F', 0) == 0 && parseMoveNumber(number, firstMove))
        return true;
    error = "'" + field + "' is neither H and the moves without a capture, 0 to "
        + std::to_string(CGameState::DrawPlies) + ", nor F and the first move's number";
    return false;
}

bool CFenText::parseSide(const std::string &field, CPosition &position, std::string &error)
{
    if (field != "W" && field != "B") {
        error = "the side to move must be W or B, not '" + field + "'";
        return false;
    }
    position.sideToMove = field == "W" ? CGameState::White : CGameState::Black;
    return true;
}

// One list for White and one for Black, in either order.
bool CFenText::checkColours(const std::string &first, const std::string &second, std::string &error)
{
    for (const std::string *field : { &first, &second }) {
        if (field->empty() || ((*field)[0] != 'W' && (*field)[0] != 'B')) {
            error = "a colour's squares must follow W or B";
            return false;
        }
    }
    if (first[0] == second[0]) {
        error = std::string("colour ") + first[0] + " is listed twice";
        return false;
    }
    return true;
}

bool CFenText::parseColour(const std::string &field, CPosition &position, std::string &error)
{
    const int side = field[0] == 'W' ? CGameState::White : CGameState::Black;
    if (field.size() == 1)
        return true;
    for (const std::string &item : CPositionText::split(field.substr(1), ',')) {
        if (!parseItem(item, side, position, error))
            return false;
    }
    return true;
}

// A square or a range FIRST-LAST, both ends included; a leading K makes
// every piece of it a king.
bool CFenText::parseItem(const std::string &item, int side, CPosition &position, std::string &error)
{
    const bool king = !item.empty() && item[0] == 'K';
    const std::string squares = king ? item.substr(1) : item;
    const std::string::size_type dash = squares.find('-');
    int first, last;
    if (!parseSquare(squares.substr(0, dash), first, error))
        return false;
    last = first;
    if (dash != std::string::npos && !parseSquare(squares.substr(dash + 1), last, error))
        return false;
    if (last < first) {
        error = "the range '" + squares + "' runs backwards";
        return false;
    }
    const int piece = king ? 2 * side : side;
    for (int square = first; square <= last; ++square) {
        if (!place(square, piece, position, error))
            return false;
    }
    return true;
}

bool CFenText::parseSquare(const std::string &text, int &square, std::string &error)
{
    int number;
    if (!CNumberText::parse(text, number) || number < 1 || number > CGameState::SquareCount) {
        error = "'" + text + "' is not a square from 1 to 32";
        return false;
    }
    square = number - 1;
    return true;
}

bool CFenText::place(int square, int piece, CPosition &position, std::string &error)
{
    const std::string name = std::to_string(square + 1);
    if (position.squares[square] != CGameState::Empty) {
        error = "square " + name + " is given twice";
        return false;
    }
    position.squares[square] = piece;
    position.whiteCount += CGameState::isWhite(piece);
    position.blackCount += CGameState::isBlack(piece);
    position.whiteKings += piece == CGameState::WhiteKing;
    position.blackKings += piece == CGameState::BlackKing;
    return true;
}

bool CFenText::checkPlayable(const CPosition &position, std::string &error)
{
    // A square is named 1 to 32 here.
    error = position.impossibility(1);
    if (!error.empty())
        return false;
    for (int side : { CGameState::White, CGameState::Black }) {
        if ((side == CGameState::White ? position.whiteCount : position.blackCount) == 0) {
            error = std::string(colourName(side)) + " has no pieces";
            return false;
        }
    }
    if (!position.sideHasMove(position.sideToMove)) {
        error = std::string(colourName(position.sideToMove)) + " is to move and has no move";
        return false;
    }
    return true;
}
