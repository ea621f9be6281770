#include "app/mainwin.h"
#include "board/board.h"
#include "board/humanplayer.h"
#include "board/square.h"
#include "windowdriver.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestMainWin : public QObject
{
    Q_OBJECT

    std::unique_ptr<CMainWin> window;
    CBoard *board = nullptr;
    std::unique_ptr<CWindowDriver> driver;

    QStatusBar *statusBar() const { return window->statusBar(); }

    QMenu *menu(const QString &text) const
    {
        for (QAction *action : window->menuBar()->actions()) {
            if (action->text() == text)
                return action->menu();
        }
        return nullptr;
    }

    QAction *action(const QString &text) const { return driver->action(text); }

    static QStringList texts(const QMenu *menu)
    {
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
        return texts;
    }

    // The window is exactly the board with the menu bar above it and the
    // status bar below, and the user cannot resize it.
    void verifyWindowFitsBoard(int boardSide)
    {
        QCOMPARE(board->size(), QSize(boardSide, boardSide));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QTRY_COMPARE(window->size(), window->minimumSize());
        const QRect menuBar = window->menuBar()->geometry();
        const QRect status = statusBar()->geometry();
        QCOMPARE(window->width(), boardSide);
        QCOMPARE(window->height(), menuBar.height() + boardSide + status.height());
        QTRY_COMPARE(board->geometry(), QRect(0, menuBar.bottom() + 1, boardSide, boardSide));
        QCOMPARE(status.top(), board->geometry().bottom() + 1);
    }

private slots:
    void init()
    {
        window = std::make_unique<CMainWin>();
        driver = std::make_unique<CWindowDriver>(window.get());
        board = driver->board();
        QVERIFY(board);
    }

    void cleanup()
    {
        driver.reset();
        window.reset();
        CSquare::setSize(64);
    }

    void startsIdleAndSizedToItsContentsBeforeItIsShown()
    {
        const int height = window->minimumHeight();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->minimumHeight(), height);
        verifyWindowFitsBoard(512);
        QCOMPARE(statusBar()->currentMessage(), QStringLiteral("..."));
        QVERIFY(!board->isGameActive());
        QVERIFY(window->windowTitle().isEmpty());
        QCOMPARE(window->findChildren<CBoard *>().size(), 1);
    }

    void menus()
    {
        QCOMPARE(window->menuBar()->actions().size(), 2);
        QVERIFY(menu(QStringLiteral("&Game")));
        QCOMPARE(texts(menu(QStringLiteral("&Game"))),
                 QStringList({ QStringLiteral("&New Game"), QStringLiteral("--"),
                               QStringLiteral("&Quit") }));
        QCOMPARE(action(QStringLiteral("&New Game"))->toolTip(), QStringLiteral("Start new game"));

        QMenu *options = menu(QStringLiteral("&Options"));
        QVERIFY(options);
        QCOMPARE(texts(options),
                 QStringList({ QStringLiteral("Computer move delay"), QStringLiteral("--"),
                               QStringLiteral("&Size") }));
        QAction *delay = action(QStringLiteral("Computer move delay"));
        QVERIFY(delay->isCheckable());
        QVERIFY(delay->isChecked());

        QMenu *size = options->actions().last()->menu();
        QVERIFY(size);
        QCOMPARE(texts(size),
                 QStringList({ QStringLiteral("&Small"), QStringLiteral("&Medium"),
                               QStringLiteral("&Large") }));
        QActionGroup *group = size->actions().first()->actionGroup();
        QVERIFY(group);
        QVERIFY(group->isExclusive());
        QCOMPARE(group->actions(), size->actions());
        QCOMPARE(group->checkedAction(), action(QStringLiteral("&Medium")));
        for (const QAction *sizeAction : size->actions())
            QVERIFY(sizeAction->isCheckable());
    }

    void sizeOptionsRefitTheWindow()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QList<QPair<QString, int>> sizes { { QStringLiteral("&Small"), 48 },
                                                 { QStringLiteral("&Large"), 96 },
                                                 { QStringLiteral("&Large"), 96 },
                                                 { QStringLiteral("&Medium"), 64 } };
        for (const auto &[text, squareSize] : sizes) {
            action(text)->trigger();
            QVERIFY(action(text)->isChecked());
            QCOMPARE(CSquare::currentSquareSize(), squareSize);
            verifyWindowFitsBoard(8 * squareSize);
            QTRY_COMPARE(board->squareWidget(31)->geometry(),
                         QRect(6 * squareSize, 7 * squareSize, squareSize, squareSize));
        }
    }

    void sizeChangeKeepsTheGame()
    {
        CHumanPlayer ann(QStringLiteral("Ann"), statusBar());
        CHumanPlayer bob(QStringLiteral("Bob"), statusBar());
        ann.opponent = &bob;
        bob.opponent = &ann;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        board->startGame(&ann, &bob);
        QTest::mouseClick(board->squareWidget(22), Qt::LeftButton);
        QTest::mouseClick(board->squareWidget(17), Qt::LeftButton);
        QTest::mouseClick(board->squareWidget(9), Qt::LeftButton);

        action(QStringLiteral("&Large"))->trigger();
        verifyWindowFitsBoard(768);
        QCOMPARE(board->squareWidget(17)->pieceCode(), int(CGameState::WhiteMan));
        QCOMPARE(board->selection(), board->squareWidget(9));
        QCOMPARE(statusBar()->currentMessage(), QStringLiteral("It's Bob's turn"));
        QCOMPARE(board->plyCount(), 1);
    }

    void gameOverTexts_data()
    {
        QTest::addColumn<int>("winner");
        QTest::addColumn<QString>("text");
        QTest::newRow("draw") << 0 << QStringLiteral("GAME OVER: DRAW!");
        QTest::newRow("white") << 3 << QStringLiteral("GAME OVER: WHITE WINS!");
        QTest::newRow("black") << 4 << QStringLiteral("GAME OVER: BLACK WINS!");
        QTest::newRow("unknown") << 7 << QStringLiteral("GAME OVER: ");
    }
    void gameOverTexts()
    {
        QFETCH(int, winner);
        QFETCH(QString, text);
        emit board->sig_gameOver(winner);
        QCOMPARE(statusBar()->currentMessage(), text);
    }

    void quitClosesTheWindow()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        action(QStringLiteral("&Quit"))->trigger();
        QVERIFY(!window->isVisible());
    }

    // The program writes every message, the toolkit's warnings included, as a
    // plain line on standard output and nothing on standard error.
    void programWritesMessagesToStandardOutput()
    {
        QTemporaryDir runtimeDir;
        QVERIFY(runtimeDir.isValid());
        QFile::setPermissions(runtimeDir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(CHECKERS_BINARY),
                      { QStringLiteral("-style"), QStringLiteral("nosuch") });
        QVERIFY(program.waitForStarted());
        QByteArray output;
        while (!output.endsWith('\n') || !output.contains("Available styles")) {
            QVERIFY(program.waitForReadyRead(10000));
            output += program.readAllStandardOutput();
        }
        QVERIFY(program.state() == QProcess::Running); // it goes on to show its window
        program.kill();
        program.waitForFinished();
        QVERIFY2(output.startsWith("QApplication: invalid style override 'nosuch' passed, "
                                   "ignoring it.\n\tAvailable styles: "),
                 output.constData());
        QCOMPARE(output.count('\n'), 2);
        QCOMPARE(program.readAllStandardError(), QByteArray());
    }
};

QTEST_MAIN(TestMainWin)
#include "mainwintest.moc"
