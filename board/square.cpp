#include "square.h"

#include "rules/gamestate.h"

#include <QFont>
#include <QPainter>

int CSquare::squareSize = 64;
QRect CSquare::pieceRect;

namespace {

const QColor backgroundColour(Qt::gray);
const int highlightFactor = 115;
const int outlineFactor = 300;
const int sideFactor = 140;

QPalette backgroundPalette(bool highlighted)
{
    return QPalette(highlighted ? backgroundColour.lighter(highlightFactor) : backgroundColour);
}

} // namespace

CSquare::CSquare(QWidget *parent, int number, int piece)
    : QWidget(parent)
    , number(number)
    , piece(piece)
    , selected(false)
{
    updatePieceRect();
    setPalette(backgroundPalette(false));
    setAutoFillBackground(true);
}

void CSquare::setPiece(int piece)
{
    this->piece = piece;
    update();
}

void CSquare::setSelected(bool on)
{
    if (on == selected)
        return;
    selected = on;
    setPalette(backgroundPalette(on));
    update();
}

void CSquare::setSize(int size)
{
    squareSize = size;
    updatePieceRect();
}

void CSquare::updatePieceRect()
{
    const int d = squareSize / 7;
    pieceRect = QRect(QPoint(d, d), QPoint(squareSize - d - 1, squareSize - d - 1));
}

void CSquare::mousePressEvent(QMouseEvent *)
{
    emit clicked(number);
}

void CSquare::paintEvent(QPaintEvent *)
{
    // Most squares are empty: the background fill is all they need.
    if (piece == CGameState::Empty && !selected)
        return;

    QPainter painter(this);
    if (selected) {
        // Aliased, so that the frame is exactly one pixel along the edge.
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(0, 0), QPoint(squareSize - 2, squareSize - 2)));
    }
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor colour = CGameState::isWhite(piece) ? QColor(Qt::white) : QColor(Qt::darkRed);
    if (piece == CGameState::WhiteMan || piece == CGameState::BlackMan)
        drawMan(colour, painter);
    else if (piece == CGameState::WhiteKing || piece == CGameState::BlackKing)
        drawKing(colour, painter);
}

void CSquare::drawMan(const QColor &colour, QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Qt::darkGray));
    painter.drawEllipse(pieceRect.adjusted(4, 8, 4, 2));

    painter.setPen(colour.darker(outlineFactor));
    painter.setBrush(colour.darker(sideFactor));
    painter.drawEllipse(pieceRect.adjusted(0, 6, 0, 0));

    painter.setBrush(colour);
    painter.drawEllipse(pieceRect.adjusted(0, -1, 0, -5));
}

void CSquare::drawKing(const QColor &colour, QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Qt::darkGray));
    painter.drawEllipse(pieceRect.adjusted(4, 9, 6, 5));

    painter.setPen(colour.darker(outlineFactor));
    painter.setBrush(colour.darker(sideFactor));
    painter.drawEllipse(pieceRect.adjusted(0, 7, 0, 1));
    painter.drawEllipse(pieceRect.adjusted(0, 0, 0, -4));

    painter.setBrush(colour);
    painter.drawEllipse(pieceRect.adjusted(0, -5, 0, -9));

    // The mark keeps its size at every square size.
    QFont font(QStringLiteral("Times"), 36, QFont::Black);
    font.setItalic(false);
    painter.setFont(font);
    painter.drawText(pieceRect, Qt::AlignCenter, QStringLiteral("*"));
}
