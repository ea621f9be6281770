#ifndef CHECKERS_BOARD_SQUARE_H
#define CHECKERS_BOARD_SQUARE_H

#include <QRect>
#include <QWidget>

class QColor;
class QPainter;

// One playable square of the board: draws the piece code it was last given,
// shows whether it is highlighted and reports every mouse press on it.
class CSquare : public QWidget
{
    Q_OBJECT

public:
    CSquare(QWidget *parent, int number, int piece);

    void setPiece(int piece);
    void setSelected(bool on);

    int squareNumber() const { return number; }
    int pieceCode() const { return piece; }
    bool isSelected() const { return selected; }

    // The side of every square in pixels and the rectangle a piece is drawn
    // in are shared by all squares of the process.
    static void setSize(int size);
    static void updatePieceRect();
    static int currentSquareSize() { return squareSize; }
    static QRect currentPieceRect() { return pieceRect; }

signals:
    void clicked(int number);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void drawMan(const QColor &colour, QPainter &painter);
    void drawKing(const QColor &colour, QPainter &painter);

    static int squareSize;
    static QRect pieceRect;

    int number;
    int piece;
    bool selected;
};

#endif
