#include "app/mainwin.h"
#include "board/board.h"
#include "board/square.h"
#include "engine/compplayer.h"
#include "engine/gamenode.h"
#include "liveobjects.h"
#include "outputcapture.h"
#include "windowdriver.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

// Who plays a game: a person with a name or the computer with a skill.
struct SideSetup
{
    bool human;
    int skill;
    QString name;
};

struct GameSetup
{
    SideSetup white;
    SideSetup black;
};

struct Step
{
    int from;
    int to;
};

// A game still running after this many steps is restarted.
const int maxGamePlies = 200;
// No step for this long while the computer is to move is a hang.
const int stallMilliseconds = 60000;

unsigned environmentNumber(const char *name, unsigned fallback)
{
    const char *value = std::getenv(name);
    return value ? unsigned(std::strtoul(value, nullptr, 10)) : fallback;
}

} // namespace

// Games through the real window as people play them: New Game, the dialog,
// Start; computers at every skill, persons clicking random legal steps, and
// at random moments stray clicks, restarts, size changes and delay toggles.
// Every move step is checked against the board's invariants as it happens.
// CHECKERS_SOAK_GAMES and CHECKERS_SOAK_SEED in the environment override the
// number of games and the seed.
class TestSoak : public QObject
{
    Q_OBJECT

    std::mt19937 random;
    std::unique_ptr<COutputCapture> output;
    std::unique_ptr<CMainWin> window;
    std::unique_ptr<CWindowDriver> driver;
    CBoard *board = nullptr;
    QTimer heartbeat;
    QElapsedTimer sinceProgress;

    GameSetup setup;
    GameSetup nextSetup;
    bool startPrepared = false;
    bool gameStarted = false;
    QByteArray gameOutput;
    int gamePlies = 0;
    int restartAtPly = 0;
    int lastPly = 0;
    int pliesBeforeGameOver = 0;
    bool delayBlip = false;

    int finishedGames = 0;
    int restartedGames = 0;
    int restartsOnComputersTurn = 0;
    int restartsWhileThinking = 0;
    int idleThreads = 0; // while the computer thinks, its worker is one more
    int moves = 0;
    int personMoves = 0;
    int strayClicks = 0;
    int strayClicksOnComputersTurn = 0;
    int sizeChanges = 0;
    int delayToggles = 0;

    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    CPlayer *playerToMove() const
    {
        return board->sideToMove == CGameState::White ? window->white() : window->black();
    }
    bool personToMove() const { return board->isGameActive() && playerToMove()->isHuman(); }

    // Mostly the quick skills; Good still comes up in about one side in six.
    SideSetup randomSide(bool human)
    {
        static const QStringList names { QStringLiteral("Ann"), QStringLiteral("Bob"),
                                         QStringLiteral("Player 1") };
        const int roll = pick(100);
        return { human, roll < 50 ? 0 : roll < 85 ? 1 : 2, names.at(pick(int(names.size()))) };
    }

    GameSetup randomSetup()
    {
        const int roll = pick(100);
        const bool personWhite = roll >= 55 && roll < 70;
        const bool personBlack = roll >= 70;
        const bool twoPeople = roll >= 90;
        return { randomSide(personWhite || twoPeople), randomSide(personBlack) };
    }

    static QByteArray skillLine(const char *label, const SideSetup &side)
    {
        return side.human
            ? QByteArray()
            : QByteArray(label) + "  " + QByteArray::number(2 * side.skill + 1) + " \n";
    }

    static QByteArray turnLine(const SideSetup &side, int sideCode)
    {
        return "its  \"" + side.name.toLatin1() + "\" 's [ " + QByteArray::number(sideCode)
            + " ] turn ";
    }

    static QString firstStatus(const GameSetup &game)
    {
        if (game.white.human)
            return game.black.human ? QStringLiteral("It's %1's turn").arg(game.white.name)
                                    : QStringLiteral("It's your turn");
        return game.black.human ? QStringLiteral("Computer is thinking...")
                                : QStringLiteral("Computer [WHITE] is thinking...");
    }

    // The result the rules give the final position; -1 while it goes on.
    int resultOfPosition() const
    {
        if (board->whiteCount == 0)
            return CGameState::BlackWins;
        if (board->blackCount == 0)
            return CGameState::WhiteWins;
        if (!board->sideHasMove(board->sideToMove))
            return board->sideToMove == CGameState::White ? CGameState::BlackWins
                                                          : CGameState::WhiteWins;
        return board->pliesWithoutCapture > CGameState::DrawPlies ? CGameState::Draw : -1;
    }

    void verifyPosition()
    {
        int white = 0, black = 0, whiteKings = 0, blackKings = 0, highlights = 0;
        for (int n = 0; n < CGameState::SquareCount; ++n) {
            const int piece = board->squares[n];
            QVERIFY2(QList<int>({ 1, 3, 4, 6, 8 }).contains(piece), qPrintable(QString::number(n)));
            QCOMPARE(board->squareWidget(n)->pieceCode(), piece);
            white += CGameState::isWhite(piece);
            black += CGameState::isBlack(piece);
            whiteKings += piece == CGameState::WhiteKing;
            blackKings += piece == CGameState::BlackKing;
            highlights += board->squareWidget(n)->isSelected();
        }
        QCOMPARE(board->whiteCount, white);
        QCOMPARE(board->blackCount, black);
        QCOMPARE(board->whiteKings, whiteKings);
        QCOMPARE(board->blackKings, blackKings);
        QVERIFY(board->sideToMove == CGameState::White || board->sideToMove == CGameState::Black);
        QVERIFY(board->pendingCaptureCount >= 0
                && board->pendingCaptureCount <= CGameState::MaxPending);
        for (int i = 0; i < board->pendingCaptureCount; ++i) {
            const int square = board->pendingCaptures[i];
            QVERIFY(square >= 0 && square < CGameState::SquareCount);
            const int piece = board->squares[square];
            QVERIFY(board->sideToMove == CGameState::White ? CGameState::isBlack(piece)
                                                           : CGameState::isWhite(piece));
            for (int j = 0; j < i; ++j)
                QVERIFY(board->pendingCaptures[j] != square);
        }
        QCOMPARE(highlights, board->selection() ? 1 : 0);
    }

    // Called before every event that could carry a move step (the computer's
    // queued calls, mouse presses and releases) and after every batch of
    // events: each step is seen on its own, with nothing in between.
    void observe()
    {
        const int ply = board->plyCount();
        if (ply == lastPly)
            return;
        if (!board->isGameActive())
            pliesBeforeGameOver = lastPly;
        QVERIFY2(ply == lastPly + 1 || (ply == 1 && !board->isGameActive()),
                 "more than one move step between two looks");
        lastPly = ply;
        ++moves;
        ++gamePlies;
        sinceProgress.restart();
        verifyPosition();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::MetaCall || type == QEvent::MouseButtonPress
            || type == QEvent::MouseButtonRelease)
            observe();
        return false;
    }

    // The lines of one game: the skill lines of its Start, the persons' turn
    // lines and, only if it was played to the end, the game-over line last.
    void verifyGameOutput(bool finished, int result)
    {
        gameOutput += output->takeOutput();
        const QByteArray skills
            = skillLine("whiteskill:", setup.white) + skillLine("blackskill:", setup.black);
        QVERIFY2(gameOutput.startsWith(skills), gameOutput.constData());
        QList<QByteArray> lines = gameOutput.mid(skills.size()).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        if (finished) {
            QVERIFY(!lines.isEmpty());
            QCOMPARE(lines.takeLast(),
                     "GAME OVER,  " + QByteArray::number(result)
                         + "  WINS!  plyCnt:  " + QByteArray::number(pliesBeforeGameOver) + " ");
        }
        const QByteArray whiteTurn = turnLine(setup.white, CGameState::White);
        const QByteArray blackTurn = turnLine(setup.black, CGameState::Black);
        // Qt's offscreen platform warns whenever the shown window's fixed size
        // changes; the platforms people use do not.
        const QByteArray offscreenWarning = "This plugin does not support propagateSizeHints()";
        for (const QByteArray &line : lines) {
            QVERIFY2((setup.white.human && line == whiteTurn)
                         || (setup.black.human && line == blackTurn) || line == offscreenWarning,
                     line.constData());
        }
        gameOutput.clear();
    }

    void verifyGameOver()
    {
        static const QStringList texts { QStringLiteral("GAME OVER: DRAW!"), QString(), QString(),
                                         QStringLiteral("GAME OVER: WHITE WINS!"),
                                         QStringLiteral("GAME OVER: BLACK WINS!") };
        const int result = resultOfPosition();
        QVERIFY2(result >= 0, "the game ended in a position that goes on");
        QCOMPARE(driver->status(), texts.at(result));
        QCOMPARE(board->plyCount(), 1);
        verifyGameOutput(true, result);
        ++finishedGames;
    }

    // The game on the board ends here: played to the end, or cut short by
    // the Start that follows.
    void closeGame()
    {
        if (!gameStarted)
            return;
        if (!board->isGameActive()) {
            verifyGameOver();
            return;
        }
        verifyGameOutput(false, -1);
        ++restartedGames;
        restartsOnComputersTurn += !personToMove();
        restartsWhileThinking += CLiveObjects::threadCount() > idleThreads;
    }

    // New Game and the dialog set up by clicks and keys, while the game on
    // the board goes on; Start follows later.
    void prepareStart()
    {
        driver->openDialog();
        nextSetup = randomSetup();
        CWindowDriver::choose(driver->whiteSide(), nextSetup.white.human, nextSetup.white.skill,
                              nextSetup.white.name);
        CWindowDriver::choose(driver->blackSide(), nextSetup.black.human, nextSetup.black.skill,
                              nextSetup.black.name);
        startPrepared = true;
    }

    void startGame()
    {
        if (!startPrepared)
            prepareStart();
        closeGame();
        if (QTest::currentTestFailed())
            return;
        const int ply = board->plyCount();
        driver->pressStart(); // waits for a running search, whose move is dropped
        startPrepared = false;
        setup = nextSetup;
        gameStarted = true;
        gamePlies = 0;
        restartAtPly = chance(0.3) ? 1 + pick(80) : maxGamePlies;
        sinceProgress.restart();

        QCOMPARE(board->plyCount(), ply);
        QVERIFY(board->isGameActive());
        QCOMPARE(driver->status(), firstStatus(setup));
        QCOMPARE(board->selection(), nullptr);
        for (int n = 0; n < CGameState::SquareCount; ++n) {
            const int initial = n < 12 ? CGameState::BlackMan
                : n < 20               ? CGameState::Empty
                                       : CGameState::WhiteMan;
            QCOMPARE(board->squares[n], initial);
        }
        QCOMPARE(board->sideToMove, int(CGameState::White));
        verifyPosition();
    }

    void personStep()
    {
        QList<Step> steps;
        CGameNode position(*board, 0);
        while (const int *move = position.nextMove())
            steps.append({ move[0], move[1] });
        QVERIFY(!steps.isEmpty());
        const Step step = steps.at(pick(int(steps.size())));
        const int mover = board->sideToMove;
        const int ply = board->plyCount();
        QTest::mouseClick(board->squareWidget(step.from), Qt::LeftButton);
        QCOMPARE(board->selection(), board->squareWidget(step.from));
        QTest::mouseClick(board->squareWidget(step.to), Qt::LeftButton);
        QVERIFY(board->plyCount() == ply + 1 || !board->isGameActive());
        QVERIFY(mover == CGameState::White ? CGameState::isWhite(board->squares[step.to])
                                           : CGameState::isBlack(board->squares[step.to]));
        QCOMPARE(board->selection(), nullptr);
        ++personMoves;
    }

    // A click on any square, or now and then on a light square of the board;
    // on the computer's turn it must change nothing of the game.
    void strayClick()
    {
        const bool computersTurn = board->isGameActive() && !personToMove();
        const int ply = board->plyCount();
        if (pick(10) == 0) {
            const int size = CSquare::currentSquareSize();
            const int row = pick(8);
            const int column = 2 * pick(4) + row % 2;
            QTest::mouseClick(board, Qt::LeftButton, {},
                              QPoint(column * size + size / 2, row * size + size / 2));
            QCOMPARE(board->selection(), nullptr);
        } else {
            QTest::mouseClick(board->squareWidget(pick(CGameState::SquareCount)), Qt::LeftButton);
        }
        if (computersTurn)
            QCOMPARE(board->plyCount(), ply);
        ++strayClicks;
        strayClicksOnComputersTurn += computersTurn;
    }

    void changeSize()
    {
        static const char *const texts[] = { "&Small", "&Medium", "&Large" };
        static const int sizes[] = { 48, 64, 96 };
        const int choice = pick(3);
        driver->action(QLatin1String(texts[choice]))->trigger();
        QCOMPARE(board->size(), QSize(8 * sizes[choice], 8 * sizes[choice]));
        ++sizeChanges;
    }

    void toggleDelay()
    {
        QAction *delay = driver->action(QStringLiteral("Computer move delay"));
        delay->trigger();
        for (CPlayer *player : { window->white(), window->black() }) {
            if (!player->isHuman())
                QCOMPARE(static_cast<CCompPlayer *>(player)->delay, delay->isChecked() ? 100 : 0);
        }
        ++delayToggles;
    }

    // The delay goes on for a moment only, so that the games stay quick.
    void injectAtRandom()
    {
        if (delayBlip) {
            toggleDelay();
            delayBlip = false;
        }
        const int roll = pick(1000);
        if (roll < 50) {
            strayClick();
        } else if (roll < 53) {
            changeSize();
        } else if (roll < 56) {
            toggleDelay();
            delayBlip = true;
        }
    }

    // Lets the computer go on until something happens; now and then wakes up
    // early, so that what comes next lands in the middle of a search.
    void waitForComputer()
    {
        if (chance(0.3))
            QTimer::singleShot(pick(20), [] {});
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QVERIFY2(sinceProgress.elapsed() < stallMilliseconds, "the computer stopped playing");
    }

private slots:
    void initTestCase()
    {
        const unsigned seed = environmentNumber("CHECKERS_SOAK_SEED", std::random_device()());
        std::printf("soak seed %u (CHECKERS_SOAK_SEED repeats it)\n", seed);
        std::fflush(stdout);
        random.seed(seed);
        output = std::make_unique<COutputCapture>();
        window = std::make_unique<CMainWin>();
        driver = std::make_unique<CWindowDriver>(window.get());
        board = driver->board();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Keeps the waits short: every second at the latest the loop wakes.
        heartbeat.start(1000);
        idleThreads = CLiveObjects::threadCount();
        QCoreApplication::instance()->installEventFilter(this);
    }

    void cleanupTestCase()
    {
        QCoreApplication::instance()->removeEventFilter(this);
        driver.reset();
        window.reset();
        output.reset();
    }

    void soak()
    {
        const int games = int(environmentNumber("CHECKERS_SOAK_GAMES", CHECKERS_SOAK_GAMES));
        driver->action(QStringLiteral("Computer move delay"))->trigger();
        startGame();
        while (!QTest::currentTestFailed()) {
            observe();
            if (!board->isGameActive() || gamePlies >= restartAtPly) {
                if (finishedGames + restartedGames + 1 >= games) {
                    closeGame();
                    break;
                }
                startGame();
            } else if (!startPrepared && gamePlies + 1 == restartAtPly) {
                // Start then comes right after the next step, while the
                // search that step began is still running.
                prepareStart();
            } else if (personToMove()) {
                personStep();
            } else {
                waitForComputer();
            }
            if (board->isGameActive())
                injectAtRandom();
        }
        std::printf("soak: %d games, %d played to the end and %d restarted (%d on the computer's "
                    "turn, %d while its worker thread ran)\n",
                    finishedGames + restartedGames, finishedGames, restartedGames,
                    restartsOnComputersTurn, restartsWhileThinking);
        std::printf("soak: %d move steps, %d of them by persons; injected %d stray clicks (%d on "
                    "the computer's turn), %d size changes, %d delay toggles\n",
                    moves, personMoves, strayClicks, strayClicksOnComputersTurn, sizeChanges,
                    delayToggles);
    }
};

QTEST_MAIN(TestSoak)
#include "soaktest.moc"
