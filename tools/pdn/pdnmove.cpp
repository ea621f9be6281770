#include "pdnmove.h"

#include "capturepaths.h"
#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"

namespace {

const char *const NotAMove = "neither a move, a move number nor a result";

std::string squareName(int square)
{
    return std::to_string(square + 1);
}

// a1, the bottom-left corner as White sees the board, is square 29; h8 is 4.
bool alphanumericSquare(const std::string &field, int &square)
{
    if (field.size() != 2 || field[0] < 'a' || field[0] > 'h' || field[1] < '1' || field[1] > '8')
        return false;
    const int column = field[0] - 'a';
    const int row = '8' - field[1];
    if ((row + column) % 2 == 0)
        return false;
    square = row * 4 + column / 2;
    return true;
}

} // namespace

bool CPdnMove::parse(const std::string &text, CPdnMove &move, std::string &reason)
{
    const std::string::size_type mark = text.find_first_of("-x:");
    if (mark == std::string::npos || mark == 0) {
        reason = NotAMove;
        return false;
    }
    const char separator = text[mark];
    move.m_capture = separator != '-';
    if (text.find_first_of(move.m_capture ? "-" : "x:") != std::string::npos) {
        reason = "a move joins its squares with '-' or with 'x', not both";
        return false;
    }
    const std::vector<std::string> fields = CPositionText::split(text, separator);
    if (!move.m_capture && fields.size() > 2) {
        reason = "a plain move has two squares";
        return false;
    }
    move.m_squares.clear();
    for (const std::string &field : fields) {
        int square = 0;
        if (!parseSquare(field, square, reason))
            return false;
        move.m_squares.push_back(square);
    }
    return true;
}

bool CPdnMove::parseSquare(const std::string &field, int &square, std::string &reason)
{
    if (alphanumericSquare(field, square))
        return true;
    int number = 0;
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) {
        const bool named = field.size() == 2 && field[0] >= 'a' && field[0] <= 'h';
        reason = named ? field + " is not a playing square" : NotAMove;
        return false;
    }
    if (!CNumberText::parse(field, number) || number < 1 || number > CGameState::SquareCount) {
        reason = "square " + field + " is off the board (1 to 32)";
        return false;
    }
    square = number - 1;
    return true;
}

bool CPdnMove::play(CPosition &position, Path &path, std::string &reason) const
{
    if (m_capture && m_squares.size() == 2)
        return playCapture(position, path, reason);
    path = m_squares;
    return playSteps(position, reason);
}

// Each step goes from the square the last one reached; a capture names
// every square it lands on.
bool CPdnMove::playSteps(CPosition &position, std::string &reason) const
{
    const int side = position.sideToMove;
    for (std::size_t i = 1; i < m_squares.size(); ++i) {
        if (position.sideToMove != side) {
            reason = "the capture ends on " + squareName(m_squares[i - 1]);
            return false;
        }
        if (!playStep(position, m_squares[i - 1], m_squares[i], m_capture, reason))
            return false;
    }
    return true;
}

bool CPdnMove::playStep(CPosition &position, int from, int to, bool capture, std::string &reason)
{
    const std::string step = squareName(from) + (capture ? 'x' : '-') + squareName(to);
    int captured = -1;
    if (!position.isLegalMove(from, to, captured))
        reason = "the rules do not allow " + step;
    else if (capture && captured == -1)
        reason = step + " takes no piece";
    else if (!capture && captured != -1)
        reason = step + " takes a piece: write " + squareName(from) + 'x' + squareName(to);
    else
        return position.makeMove(from, to);
    return false;
}

// FROMxTO is one capture step or, when it is none, short for the one
// capture sequence that joins the two squares.
bool CPdnMove::playCapture(CPosition &position, Path &path, std::string &reason) const
{
    const int from = m_squares[0], to = m_squares[1];
    int captured = -1;
    path = m_squares;
    if (position.isLegalMove(from, to, captured) && captured != -1)
        return position.makeMove(from, to);
    const std::vector<CCapturePaths::Path> paths = CCapturePaths::find(position, from, to, 2);
    const std::string squares = squareName(from) + " and " + squareName(to);
    if (paths.size() != 1) {
        reason = (paths.empty() ? "no" : "more than one") + std::string(" capture sequence joins ")
            + squares;
        return false;
    }
    path = { from };
    for (int landing : paths[0]) {
        position.makeMove(path.back(), landing);
        path.push_back(landing);
    }
    return true;
}
