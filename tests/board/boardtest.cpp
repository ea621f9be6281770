#include "board/board.h"
#include "board/humanplayer.h"
#include "board/square.h"

#include <QGridLayout>
#include <QPointer>
#include <QStatusBar>
#include <QTest>

class TestBoard : public QObject
{
    Q_OBJECT

private:
    static QPoint gridPlace(CBoard &board, int number)
    {
        auto *grid = static_cast<QGridLayout *>(board.layout());
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(board.squareWidget(number)), &row, &column, &rowSpan,
                              &columnSpan);
        return QPoint(column, row);
    }

    static int highlightedCount(const CBoard &board)
    {
        int count = 0;
        for (int n = 0; n < CGameState::SquareCount; ++n)
            count += board.squareWidget(n)->isSelected();
        return count;
    }

private slots:
    void squaresLieOnTheDarkCells()
    {
        CBoard board;
        QCOMPARE(gridPlace(board, 0), QPoint(1, 0));
        QCOMPARE(gridPlace(board, 4), QPoint(0, 1));
        QCOMPARE(gridPlace(board, 31), QPoint(6, 7));
        QCOMPARE(board.layout()->count(), 32);

        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QCOMPARE(board.size(), QSize(512, 512));
        QCOMPARE(board.squareWidget(0)->geometry(), QRect(64, 0, 64, 64));
        QCOMPARE(board.squareWidget(31)->geometry(), QRect(384, 448, 64, 64));
    }

    void startsEmptyOnLightGreyAndIgnoresClicks()
    {
        CBoard board;
        QCOMPARE(board.palette().color(QPalette::Window), QColor(Qt::lightGray));
        QVERIFY(board.autoFillBackground());
        QVERIFY(!board.isGameActive());
        for (int n = 0; n < CGameState::SquareCount; ++n) {
            QCOMPARE(board.squareWidget(n)->pieceCode(), int(CGameState::Empty));
            QTest::mouseClick(board.squareWidget(n), Qt::LeftButton);
        }
        // The position already holds the setup the widgets do not show yet.
        QCOMPARE(board.squares[0], int(CGameState::BlackMan));
        QCOMPARE(board.selection(), nullptr);
        QCOMPARE(board.plyCount(), 0);
    }

    void oneHighlightAtATime()
    {
        CBoard board;
        board.selectSquare(5);
        QCOMPARE(board.selection(), board.squareWidget(5));
        board.selectSquare(12); // empty squares can be highlighted too
        QCOMPARE(board.selection(), board.squareWidget(12));
        QVERIFY(!board.squareWidget(5)->isSelected());
        QCOMPARE(highlightedCount(board), 1);

        board.selectSquare(32);
        board.selectSquare(-1);
        QCOMPARE(board.selection(), board.squareWidget(12));
        QCOMPARE(highlightedCount(board), 1);

        board.clearSelection();
        QCOMPARE(board.selection(), nullptr);
        QCOMPARE(highlightedCount(board), 0);
        board.clearSelection();
        QCOMPARE(highlightedCount(board), 0);
    }

    void pressOnALightSquareClearsTheHighlight()
    {
        CBoard board;
        for (const auto button : { Qt::LeftButton, Qt::RightButton }) {
            board.selectSquare(0);
            QTest::mousePress(&board, button, {}, QPoint(10, 10)); // row 0, column 0
            QCOMPARE(board.selection(), nullptr);
            QVERIFY(!board.squareWidget(0)->isSelected());
        }
    }

    void deletingTheBoardDeletesItsSquaresButNoPlayer()
    {
        QStatusBar statusBar;
        CHumanPlayer white(QStringLiteral("Ann"), &statusBar);
        CHumanPlayer black(QStringLiteral("Bob"), &statusBar);
        auto *board = new CBoard;
        QList<QPointer<CSquare>> squares;
        for (int n = 0; n < CGameState::SquareCount; ++n)
            squares.append(board->squareWidget(n));
        board->startGame(&white, &black);
        delete board;
        for (const auto &square : squares)
            QVERIFY(square.isNull());
        QCOMPARE(black.side, int(CGameState::Black));
        QCOMPARE(white.name(), QStringLiteral("Ann"));
    }
};

QTEST_MAIN(TestBoard)
#include "boardtest.moc"
