#include "positiontext.h"

#include "numbertext.h"
#include "quotedtext.h"

namespace {

const char *sideName(int side)
{
    return side == CGameState::White ? "white" : "black";
}

} // namespace

bool CPositionText::parse(const std::string &text, CPosition &position, std::string &error)
{
    CPosition parsed;
    if (!read(text, parsed, error))
        return false;
    error = parsed.impossibility(0);
    if (!error.empty())
        return false;
    position = parsed;
    return true;
}

bool CPositionText::read(const std::string &text, CPosition &position, std::string &error)
{
    if (text.empty()) {
        error = "position is empty";
        return false;
    }
    const std::vector<std::string> fields = split(text, ' ');
    for (const std::string &field : fields) {
        if (field.empty()) {
            error = "position has a stray space";
            return false;
        }
    }
    if (fields.size() < 2) {
        error = "position needs the squares and the side to move";
        return false;
    }
    if (fields.size() > 4) {
        error = "unexpected text " + CQuotedText::quote(fields[4]) + " after the position";
        return false;
    }
    CPosition parsed;
    // The side comes first: the pending list is checked against it.
    if (!parseSquares(fields[0], parsed, error) || !parseSide(fields[1], parsed, error))
        return false;
    if (fields.size() > 2 && !parsePending(fields[2], parsed, error))
        return false;
    if (fields.size() > 3 && !parsePlies(fields[3], parsed, error))
        return false;
    position = parsed;
    return true;
}

std::vector<std::string> CPositionText::split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type stop = text.find(separator, start);
        parts.push_back(text.substr(start, stop - start));
        if (stop == std::string::npos)
            return parts;
        start = stop + 1;
    }
}

bool CPositionText::parseSquares(const std::string &field, CPosition &position, std::string &error)
{
    if (field.size() != CGameState::SquareCount) {
        error = "position has " + std::to_string(field.size()) + " squares, expected 32";
        return false;
    }
    position.whiteCount = position.blackCount = 0;
    position.whiteKings = position.blackKings = 0;
    for (int n = 0; n < CGameState::SquareCount; ++n) {
        int piece;
        switch (field[n]) {
        case '.':
            piece = CGameState::Empty;
            break;
        case 'w':
            piece = CGameState::WhiteMan;
            break;
        case 'W':
            piece = CGameState::WhiteKing;
            ++position.whiteKings;
            break;
        case 'b':
            piece = CGameState::BlackMan;
            break;
        case 'B':
            piece = CGameState::BlackKing;
            ++position.blackKings;
            break;
        default:
            error = std::string("unknown piece '") + field[n] + "' on square " + std::to_string(n);
            return false;
        }
        position.squares[n] = piece;
        position.whiteCount += CGameState::isWhite(piece);
        position.blackCount += CGameState::isBlack(piece);
    }
    return true;
}

bool CPositionText::parseSide(const std::string &field, CPosition &position, std::string &error)
{
    if (field == "w") {
        position.sideToMove = CGameState::White;
    } else if (field == "b") {
        position.sideToMove = CGameState::Black;
    } else {
        error = "side to move must be 'w' or 'b', not " + CQuotedText::quote(field);
        return false;
    }
    return true;
}

bool CPositionText::parsePending(const std::string &field, CPosition &position, std::string &error)
{
    if (field == "-")
        return true;
    for (const std::string &item : split(field, ',')) {
        if (!parsePendingSquare(item, position, error))
            return false;
    }
    return true;
}

// A captured piece stays on its square until the sequence ends, and only the
// side that is not to move can have lost it.
bool CPositionText::parsePendingSquare(const std::string &item, CPosition &position,
                                       std::string &error)
{
    int square;
    if (!CNumberText::parse(item, square)) {
        error = "pending capture " + CQuotedText::quote(item) + " is not a square number";
        return false;
    }
    if (square < 0 || square >= CGameState::SquareCount) {
        error = "pending capture " + item + " is off the board (0 to 31)";
        return false;
    }
    if (position.isPendingCapture(square)) {
        error = "pending capture " + item + " is listed twice";
        return false;
    }
    const int victim
        = position.sideToMove == CGameState::White ? CGameState::Black : CGameState::White;
    const int piece = position.squares[square];
    if (victim == CGameState::White ? !CGameState::isWhite(piece) : !CGameState::isBlack(piece)) {
        error = "pending capture " + item + " holds no " + sideName(victim) + " piece";
        return false;
    }
    // Distinct squares of one side's pieces, so at most 12 of them.
    position.pendingCaptures[position.pendingCaptureCount++] = square;
    return true;
}

bool CPositionText::parsePlies(const std::string &field, CPosition &position, std::string &error)
{
    int plies;
    if (!CNumberText::parse(field, plies) || plies < 0 || plies > CPosition::MaxPlies) {
        error = "moves without a capture must be a number from 0 to "
            + std::to_string(CPosition::MaxPlies) + ", not " + CQuotedText::quote(field);
        return false;
    }
    position.pliesWithoutCapture = plies;
    return true;
}

std::string CPositionText::format(const CGameState &position)
{
    std::string text;
    for (int piece : position.squares)
        text += pieceLetter(piece);
    text += position.sideToMove == CGameState::White ? " w " : " b ";
    if (position.pendingCaptureCount == 0)
        text += '-';
    for (int i = 0; i < position.pendingCaptureCount; ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(position.pendingCaptures[i]);
    }
    return text + ' ' + std::to_string(position.pliesWithoutCapture);
}

char CPositionText::pieceLetter(int piece)
{
    switch (piece) {
    case CGameState::WhiteMan:
        return 'w';
    case CGameState::WhiteKing:
        return 'W';
    case CGameState::BlackMan:
        return 'b';
    case CGameState::BlackKing:
        return 'B';
    default:
        return '.';
    }
}
