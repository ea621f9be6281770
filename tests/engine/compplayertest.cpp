#include "engine/compplayer.h"
#include "../app/outputcapture.h"
#include "../board/boardposition.h"
#include "app/mainwin.h"
#include "board/humanplayer.h"

#include <QLoggingCategory>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

const QString yourTurn = QStringLiteral("It's your turn");
const QByteArray annsTurnLine = "its  \"Ann\" 's [ 3 ] turn \n";

// Notes, as each queued call reaches a computer player, the highlighted
// square and the ply count that the board shows just before the call runs.
class CCallRecorder : public QObject
{
public:
    explicit CCallRecorder(const CBoard *board)
        : board(board)
    { }

    QStringList calls;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MetaCall) {
            const CSquare *selection = board->selection();
            calls.append(QStringLiteral("%1 %2")
                             .arg(selection ? selection->squareNumber() : -1)
                             .arg(board->plyCount()));
        }
        return false;
    }

private:
    const CBoard *board;
};

} // namespace

// Computer players on the board of a real main window, against a person who
// presses the square widgets and against each other.
class TestCompPlayer : public QObject
{
    Q_OBJECT

    std::unique_ptr<COutputCapture> output;
    std::unique_ptr<CMainWin> window;
    CBoard *board = nullptr;
    std::unique_ptr<CPlayer> white;
    std::unique_ptr<CPlayer> black;
    std::unique_ptr<CCallRecorder> recorder;

    QString status() const { return window->statusBar()->currentMessage(); }

    CCompPlayer *computer(int depth, int delay = 0)
    {
        auto *player = new CCompPlayer(board, window->statusBar(), depth, delay);
        player->installEventFilter(recorder.get());
        return player;
    }

    CPlayer *ann() { return new CHumanPlayer(QStringLiteral("Ann"), window->statusBar()); }

    void startGame(CPlayer *whitePlayer, CPlayer *blackPlayer)
    {
        white.reset(whitePlayer);
        black.reset(blackPlayer);
        white->opponent = blackPlayer;
        black->opponent = whitePlayer;
        board->startGame(whitePlayer, blackPlayer);
    }

    void move(int from, int to)
    {
        QTest::mouseClick(board->squareWidget(from), Qt::LeftButton);
        QTest::mouseClick(board->squareWidget(to), Qt::LeftButton);
    }

    int highlightCount() const
    {
        int count = 0;
        for (int n = 0; n < CGameState::SquareCount; ++n)
            count += board->squareWidget(n)->isSelected();
        return count;
    }

    // Each computer move step is two highlights and the move itself.
    int computerSteps() const { return int(recorder->calls.size()) / 3; }

    // The board's line at the end of the game, built from the result the
    // status bar shows and the number of steps played.
    static QByteArray gameOverLine(const QString &status, int steps)
    {
        const char *result = status.endsWith(QStringLiteral("WHITE WINS!")) ? "3"
            : status.endsWith(QStringLiteral("BLACK WINS!"))                ? "4"
                                                                            : "0";
        return QByteArray("GAME OVER,  ") + result
            + "  WINS!  plyCnt:  " + QByteArray::number(steps - 1) + " \n";
    }

    void verifyGameOver()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!board->isGameActive(), 120000);
        QVERIFY(status().startsWith(QStringLiteral("GAME OVER: ")));
        QCOMPARE(board->plyCount(), 1);
        QTest::qWait(20); // nothing of the computer is left to arrive
        QCOMPARE(highlightCount(), 0);
    }

private slots:
    void init()
    {
        output = std::make_unique<COutputCapture>();
        window = std::make_unique<CMainWin>();
        board = qobject_cast<CBoard *>(window->centralWidget());
        recorder = std::make_unique<CCallRecorder>(board);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        white.reset();
        black.reset();
        window.reset();
        recorder.reset();
        output.reset();
    }

    void nameTellsTheDepth()
    {
        for (int depth : { 1, 3, 5 }) {
            const std::unique_ptr<CCompPlayer> player(computer(depth, 100));
            QCOMPARE(player->name(), QStringLiteral("COMPUTAR L%1").arg(depth));
            QVERIFY(!player->isHuman());
            QCOMPARE(player->side, int(CGameState::White));
            QCOMPARE(player->opponent, nullptr);
            QCOMPARE(player->delay, 100);
        }
    }

    // Black's man on 1 must take 5 and then 13: two searches, each shown by
    // its own two highlights before its step is played.
    void multiJumpIsSearchedStepByStep()
    {
        startGame(ann(), computer(1, 100));
        setBoardPosition(*board,
                         { { 5, CGameState::WhiteMan },
                           { 13, CGameState::WhiteMan },
                           { 30, CGameState::WhiteMan },
                           { 1, CGameState::BlackMan } });
        output->takeOutput();
        move(30, 26);
        QTRY_COMPARE(status(), yourTurn);
        QCOMPARE(recorder->calls,
                 QStringList({ "-1 1", "1 1", "8 1", // highlights of 1x8, then the step
                               "-1 2", "8 2", "17 2" })); // the same for 8x17
        QCOMPARE(board->plyCount(), 3);
        QCOMPARE(board->squares[17], int(CGameState::BlackMan));
        QCOMPARE(board->squares[5], int(CGameState::Empty));
        QCOMPARE(board->squares[13], int(CGameState::Empty));
        QCOMPARE(board->squareWidget(13)->pieceCode(), int(CGameState::Empty));
        QCOMPARE(highlightCount(), 0);
        QCOMPARE(output->takeOutput(), annsTurnLine);
    }

    void personPlaysTheComputerToTheEnd()
    {
        startGame(ann(), computer(1));
        int personSteps = 0;
        while (board->isGameActive()) {
            QTRY_VERIFY(status() == yourTurn || !board->isGameActive());
            int from = 0;
            int to = 0;
            if (board->isGameActive() && firstLegalStep(*board, from, to)) {
                move(from, to);
                if (++personSteps == 1) // never a capture
                    QCOMPARE(status(), QStringLiteral("Computer is thinking..."));
            }
        }
        verifyGameOver();
        QByteArray expected;
        for (int n = 0; n < personSteps; ++n)
            expected += annsTurnLine;
        QCOMPARE(output->takeOutput(),
                 expected + gameOverLine(status(), personSteps + computerSteps()));
    }

    // The status bar names the side to move, WHITE and BLACK in turn; the
    // same text again after a capture step is no change.
    void computerPlaysItselfToTheEnd()
    {
        QStringList texts;
        connect(window->statusBar(), &QStatusBar::messageChanged, this,
                [&](const QString &text) { texts.append(text); });
        startGame(computer(1), computer(1));
        verifyGameOver();
        QCOMPARE(output->takeOutput(), gameOverLine(status(), computerSteps()));
        QCOMPARE(texts.takeLast(), status());
        for (int n = 0; n < texts.size(); ++n)
            QCOMPARE(texts[n],
                     QStringLiteral("Computer [%1] is thinking...")
                         .arg(n % 2 == 0 ? QStringLiteral("WHITE") : QStringLiteral("BLACK")));
    }

    void deletedPlayersMoveIsNeverPlayed_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("pause");
        // Deleting a player waits for its search and its two pauses.
        QTest::newRow("thinking") << 5 << 100 << 0;
        // The thread has ended; its move waits in the event queue.
        QTest::newRow("move pending") << 1 << 0 << 100;
    }
    void deletedPlayersMoveIsNeverPlayed()
    {
        QFETCH(int, depth);
        QFETCH(int, delay);
        QFETCH(int, pause);
        startGame(computer(depth, delay), ann());
        QThread::msleep(pause);
        white.reset();
        QTest::qWait(50);
        QCOMPARE(recorder->calls, QStringList());
        QCOMPARE(highlightCount(), 0);
        QCOMPARE(board->plyCount(), 0);
        for (int n = 20; n < 32; ++n)
            QCOMPARE(board->squares[n], int(CGameState::WhiteMan));

        startGame(ann(), new CHumanPlayer(QStringLiteral("Bob"), window->statusBar()));
        QTest::qWait(50);
        QCOMPARE(highlightCount(), 0);
        QCOMPARE(status(), QStringLiteral("It's Ann's turn"));
    }

    // Even where logging rules switch debug messages off.
    void noLegalMoveIsReportedAndTheGameWaits()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        const auto restoreRules = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
        startGame(ann(), computer(1));
        setBoardPosition(*board,
                         { { 28, CGameState::WhiteMan },
                           { 29, CGameState::WhiteMan },
                           { 24, CGameState::BlackMan } });
        board->sideToMove = CGameState::Black; // Black's only man is blocked
        output->takeOutput();
        black->play();
        QTRY_COMPARE(recorder->calls.size(), 1);
        QCOMPARE(output->takeOutput(), QByteArray("ERR: CThinkingThread found no legal move!\n"));
        QCOMPARE(recorder->calls, QStringList({ "-1 0" }));
        QCOMPARE(board->plyCount(), 0);
        QCOMPARE(highlightCount(), 0);
        QCOMPARE(status(), QStringLiteral("Computer is thinking..."));
    }
};

QTEST_MAIN(TestCompPlayer)
#include "compplayertest.moc"
