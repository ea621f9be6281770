#include "../board/boardposition.h"
#include "app/mainwin.h"
#include "board/board.h"
#include "board/humanplayer.h"
#include "board/square.h"
#include "outputcapture.h"

#include <QStatusBar>
#include <QTest>

#include <initializer_list>
#include <memory>

// Two people, Ann with White and Bob with Black, play on the board of a real
// main window by pressing its square widgets.
class TestTurnControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<CMainWin> window;
    CBoard *board = nullptr;
    std::unique_ptr<CHumanPlayer> ann;
    std::unique_ptr<CHumanPlayer> bob;
    std::unique_ptr<COutputCapture> output;

    QString status() const { return window->statusBar()->currentMessage(); }

    void click(int square, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(board->squareWidget(square), button);
    }

    void move(int from, int to)
    {
        click(from);
        click(to);
    }

    void startGame()
    {
        board->startGame(ann.get(), bob.get());
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Ann\" 's [ 3 ] turn \n"));
        QCOMPARE(status(), QStringLiteral("It's Ann's turn"));
    }

    // Replaces the position of the game just started; White is to move.
    void setPosition(std::initializer_list<Placement> pieces) { setBoardPosition(*board, pieces); }

    int shown(int square) const { return board->squareWidget(square)->pieceCode(); }

    int highlightCount() const
    {
        int count = 0;
        for (int n = 0; n < CGameState::SquareCount; ++n)
            count += board->squareWidget(n)->isSelected();
        return count;
    }

    void verifyWidgetsShowThePosition()
    {
        for (int n = 0; n < CGameState::SquareCount; ++n)
            QCOMPARE(shown(n), board->squares[n]);
    }

private slots:
    void init()
    {
        output = std::make_unique<COutputCapture>();
        window = std::make_unique<CMainWin>();
        board = qobject_cast<CBoard *>(window->centralWidget());
        ann = std::make_unique<CHumanPlayer>(QStringLiteral("Ann"), window->statusBar());
        bob = std::make_unique<CHumanPlayer>(QStringLiteral("Bob"), window->statusBar());
        ann->opponent = bob.get();
        bob->opponent = ann.get();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        ann.reset();
        bob.reset();
        output.reset();
    }

    // A whole game from the first move to a win, with every status text and
    // every line on standard output, byte for byte.
    void scriptedGameToAWin()
    {
        struct Step
        {
            int from;
            int to;
            const char *next; // who moves next, or null when the game is over
        };
        const Step steps[] = {
            { 21, 16, "Bob" }, { 9, 13, "Ann" },  { 16, 9, "Bob" },
            { 6, 13, "Ann" },  { 23, 18, "Bob" }, { 11, 15, "Ann" },
            { 18, 11, "Bob" }, { 2, 6, "Ann" },   { 11, 2, "Bob" }, // crowned
            { 3, 7, "Ann" },   { 2, 9, "Ann" }, // the king takes 6 and must go on
            { 9, 16, "Bob" }, // takes 13: 6 and 13 vanish together
            { 1, 6, "Ann" },   { 16, 2, "Ann" },  { 2, 11, "Bob" },
            { 10, 15, "Ann" }, { 11, 18, "Bob" }, { 5, 9, "Ann" },
            { 18, 5, "Ann" },  { 5, 12, "Bob" },  { 0, 5, "Ann" },
            { 12, 1, "Bob" },  { 4, 8, "Ann" },   { 1, 12, nullptr }, // takes Black's last piece
        };
        startGame();
        QCOMPARE(bob->side, int(CGameState::Black));
        QCOMPARE(shown(0), int(CGameState::BlackMan));
        QByteArray lineAtGameOver;
        int pieceShownAtGameOver = 0;
        connect(board, &CBoard::sig_gameOver, this, [&] {
            lineAtGameOver = output->takeOutput();
            pieceShownAtGameOver = shown(12);
        });

        int stepNumber = 0;
        for (const Step &step : steps) {
            ++stepNumber;
            const QByteArray context = "step " + QByteArray::number(stepNumber);
            move(step.from, step.to);
            if (step.next) {
                const QByteArray side = step.next == QByteArray("Ann") ? "3" : "4";
                QVERIFY2(output->takeOutput()
                             == "its  \"" + QByteArray(step.next) + "\" 's [ " + side
                                 + " ] turn \n",
                         context);
                QCOMPARE(status(), QStringLiteral("It's %1's turn").arg(QLatin1String(step.next)));
            }
            QCOMPARE(board->selection(), nullptr);
            verifyWidgetsShowThePosition();
            if (stepNumber == 9)
                QCOMPARE(shown(2), int(CGameState::WhiteKing));
            if (stepNumber == 11) {
                QCOMPARE(shown(6), int(CGameState::BlackMan));
                QCOMPARE(shown(9), int(CGameState::WhiteKing));
            }
            if (stepNumber == 12) {
                QCOMPARE(shown(6), int(CGameState::Empty));
                QCOMPARE(shown(13), int(CGameState::Empty));
            }
        }

        QCOMPARE(lineAtGameOver, QByteArray("GAME OVER,  3  WINS!  plyCnt:  23 \n"));
        QCOMPARE(pieceShownAtGameOver, int(CGameState::Empty)); // the last move shows afterwards
        QCOMPARE(output->takeOutput(), QByteArray());
        QCOMPARE(status(), QStringLiteral("GAME OVER: WHITE WINS!"));
        QCOMPARE(shown(12), int(CGameState::WhiteKing));
        QVERIFY(!board->isGameActive());
        QCOMPARE(board->plyCount(), 1);

        // The finished game takes no more clicks.
        move(12, 8);
        click(5);
        QCOMPARE(board->selection(), nullptr);
        QCOMPARE(shown(12), int(CGameState::WhiteKing));
        QCOMPARE(output->takeOutput(), QByteArray());
        QCOMPARE(status(), QStringLiteral("GAME OVER: WHITE WINS!"));
    }

    void firstClickHighlightsOnlyOwnPieces()
    {
        startGame();
        click(16); // empty
        QCOMPARE(board->selection(), nullptr);
        click(9); // Bob's
        QCOMPARE(board->selection(), nullptr);

        click(21, Qt::RightButton);
        QCOMPARE(board->selection(), board->squareWidget(21));
        click(21); // the same piece: no move, highlighted again
        QCOMPARE(board->selection(), board->squareWidget(21));
        click(22); // another own piece takes the highlight
        QCOMPARE(board->selection(), board->squareWidget(22));
        QCOMPARE(highlightCount(), 1);
        click(13); // no legal target: the highlight goes, nothing moves
        QCOMPARE(board->selection(), nullptr);
        QCOMPARE(highlightCount(), 0);
        click(22);
        click(9); // an enemy piece as target: dropped too
        QCOMPARE(board->selection(), nullptr);
        QCOMPARE(board->plyCount(), 0);
        QCOMPARE(output->takeOutput(), QByteArray());
        QCOMPARE(status(), QStringLiteral("It's Ann's turn"));
        verifyWidgetsShowThePosition();

        click(22);
        QTest::mousePress(board, Qt::LeftButton, {}, QPoint(5, 5)); // a light square
        QCOMPARE(board->selection(), nullptr);

        move(22, 17);
        QCOMPARE(status(), QStringLiteral("It's Bob's turn"));
        click(21); // Ann's piece on Bob's turn
        QCOMPARE(board->selection(), nullptr);
        click(9, Qt::MiddleButton);
        QCOMPARE(board->selection(), board->squareWidget(9));
    }

    void captureSequenceKeepsTheTurnAndRemovesAtItsEnd()
    {
        startGame();
        setPosition({ { 29, CGameState::WhiteMan },
                      { 25, CGameState::BlackMan },
                      { 17, CGameState::BlackMan },
                      { 0, CGameState::BlackKing } });
        move(29, 22);
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Ann\" 's [ 3 ] turn \n"));
        QCOMPARE(status(), QStringLiteral("It's Ann's turn"));
        QCOMPARE(shown(29), int(CGameState::Empty));
        QCOMPARE(shown(22), int(CGameState::WhiteMan));
        QCOMPARE(shown(25), int(CGameState::BlackMan)); // taken, still on the board

        move(22, 13);
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Bob\" 's [ 4 ] turn \n"));
        QCOMPARE(status(), QStringLiteral("It's Bob's turn"));
        QCOMPARE(shown(25), int(CGameState::Empty));
        QCOMPARE(shown(17), int(CGameState::Empty));
        QCOMPARE(shown(13), int(CGameState::WhiteMan));
        verifyWidgetsShowThePosition();
        QCOMPARE(board->plyCount(), 2);
    }

    void promotionShowsAtOnce()
    {
        startGame();
        setPosition({ { 4, CGameState::WhiteMan }, { 20, CGameState::BlackMan } });
        move(4, 0);
        QCOMPARE(shown(0), int(CGameState::WhiteKing));
        QCOMPARE(shown(4), int(CGameState::Empty));
        QCOMPARE(status(), QStringLiteral("It's Bob's turn"));
    }

    void fortyFirstMoveWithoutCaptureDraws()
    {
        startGame();
        setPosition({ { 28, CGameState::WhiteKing }, { 0, CGameState::BlackKing } });
        // Both kings shuttle along diagonals the other never reaches.
        for (int moveNumber = 1; moveNumber <= 40; ++moveNumber) {
            const bool white = moveNumber % 2 == 1;
            const bool out = (moveNumber - 1) % 4 < 2;
            if (white)
                move(out ? 28 : 24, out ? 24 : 28);
            else
                move(out ? 0 : 4, out ? 4 : 0);
        }
        QVERIFY(board->isGameActive());
        QCOMPARE(board->pliesWithoutCapture, 40);
        QCOMPARE(status(), QStringLiteral("It's Ann's turn"));
        output->takeOutput();

        move(28, 24);
        QCOMPARE(output->takeOutput(), QByteArray("GAME OVER,  0  WINS!  plyCnt:  40 \n"));
        QCOMPARE(status(), QStringLiteral("GAME OVER: DRAW!"));
        QCOMPARE(shown(24), int(CGameState::WhiteKing));
    }

    void newGameClearsTheHighlightButNotThePlyCount()
    {
        startGame();
        move(22, 17);
        move(9, 13);
        click(21);
        QCOMPARE(board->plyCount(), 2);
        QCOMPARE(highlightCount(), 1);
        output->takeOutput();

        startGame();
        QCOMPARE(highlightCount(), 0);
        QCOMPARE(board->selection(), nullptr);
        verifyWidgetsShowThePosition();
        QCOMPARE(shown(17), int(CGameState::Empty));
        QCOMPARE(board->plyCount(), 2);

        // The count runs on into the next game's final line.
        setPosition({ { 17, CGameState::WhiteMan }, { 9, CGameState::BlackMan } });
        move(17, 13);
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Bob\" 's [ 4 ] turn \n"));
        move(9, 16);
        QCOMPARE(output->takeOutput(), QByteArray("GAME OVER,  4  WINS!  plyCnt:  3 \n"));
        QCOMPARE(status(), QStringLiteral("GAME OVER: BLACK WINS!"));
        QCOMPARE(board->plyCount(), 1);
    }
};

QTEST_MAIN(TestTurnControl)
#include "turncontroltest.moc"
