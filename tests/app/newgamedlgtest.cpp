#include "app/newgamedlg.h"
#include "../board/boardposition.h"
#include "app/mainwin.h"
#include "engine/compplayer.h"
#include "liveobjects.h"
#include "outputcapture.h"
#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

const QString yourTurn = QStringLiteral("It's your turn");

} // namespace

// The "New Game" dialog of a real main window and the games its Start button
// begins, driven through the menus and the dialog's own widgets.
class TestNewGameDlg : public QObject
{
    Q_OBJECT

    std::unique_ptr<CLiveObjects> live;
    std::unique_ptr<COutputCapture> output;
    std::unique_ptr<CMainWin> window;
    CBoard *board = nullptr;
    CNewGameDlg *dialog = nullptr;
    std::unique_ptr<CWindowDriver> driver;

    QString status() const { return driver->status(); }

    static void verifyEntry(const SideWidgets &side, bool human)
    {
        QCOMPARE(side.human->isChecked(), human);
        QCOMPARE(side.computer->isChecked(), !human);
        QCOMPARE(side.label->text(), human ? QStringLiteral("Name:") : QStringLiteral("Skill:"));
        QCOMPARE(side.name->isVisible(), human);
        QCOMPARE(side.skill->isVisible(), !human);
    }

    CCompPlayer *computer(CPlayer *player) const
    {
        return player->isHuman() ? nullptr : static_cast<CCompPlayer *>(player);
    }

    // A game of a person against the computer, as far as the person's turn.
    void startPersonAgainstComputer()
    {
        driver->openDialog();
        CWindowDriver::choose(driver->blackSide(), false, 0);
        driver->pressStart();
        QTRY_COMPARE(status(), yourTurn);
    }

private slots:
    void init()
    {
        live = std::make_unique<CLiveObjects>();
        output = std::make_unique<COutputCapture>();
        window = std::make_unique<CMainWin>();
        driver = std::make_unique<CWindowDriver>(window.get());
        board = driver->board();
        dialog = driver->dialog();
        QVERIFY(dialog);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        driver.reset();
        window.reset();
        output.reset();
        live.reset();
    }

    void firstLook()
    {
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->parent());
        driver->openDialog();
        QCOMPARE(dialog->size(), QSize(250, 200));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("New Game"));
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        QCOMPARE(driver->startButton()->text(), QStringLiteral("Start"));

        const SideWidgets white = driver->whiteSide();
        const SideWidgets black = driver->blackSide();
        QCOMPARE(white.group->title(), QStringLiteral("White Player"));
        QCOMPARE(black.group->title(), QStringLiteral("Black Player"));
        for (const SideWidgets &side : { white, black }) {
            QCOMPARE(side.group->width(), 100);
            QCOMPARE(side.human->text(), QStringLiteral("Human"));
            QCOMPARE(side.computer->text(), QStringLiteral("Computer"));
            // The whole label fits in the fixed width.
            QVERIFY(side.computer->width() >= side.computer->sizeHint().width());
            QCOMPARE(side.name->text(), QStringLiteral("Player 1"));
            QCOMPARE(side.skill->count(), 3);
            QCOMPARE(side.skill->itemText(0), QStringLiteral("Poor"));
            QCOMPARE(side.skill->itemText(1), QStringLiteral("Medium"));
            QCOMPARE(side.skill->currentText(), QStringLiteral("Good"));
        }
        verifyEntry(white, true);
        verifyEntry(black, false);

        driver->action(QStringLiteral("&New Game"))->trigger(); // already open: nothing changes
        QVERIFY(dialog->isVisible());
        QCOMPARE(output->takeOutput(), QByteArray());
        QCOMPARE(status(), QStringLiteral("..."));
    }

    void switchingKeepsTheNameAndTheSkill()
    {
        driver->openDialog();
        for (const SideWidgets &side : { driver->whiteSide(), driver->blackSide() }) {
            CWindowDriver::choose(side, true);
            verifyEntry(side, true);
            QCOMPARE(side.name->text(), QStringLiteral("Player 1"));
            side.name->selectAll();
            QTest::keyClicks(side.name, QStringLiteral("Bob"));

            QTest::mouseClick(side.computer, Qt::LeftButton);
            verifyEntry(side, false);
            QTest::keyClick(side.skill, Qt::Key_Home);
            QCOMPARE(side.skill->currentText(), QStringLiteral("Poor"));
            QTest::mouseClick(side.computer, Qt::LeftButton); // again: no change
            verifyEntry(side, false);

            QTest::mouseClick(side.human, Qt::LeftButton);
            verifyEntry(side, true);
            QCOMPARE(side.name->text(), QStringLiteral("Bob"));
            QTest::mouseClick(side.computer, Qt::LeftButton);
            QCOMPARE(side.skill->currentText(), QStringLiteral("Poor"));
        }
        verifyEntry(driver->whiteSide(), false); // the sides are independent
        QCOMPARE(output->takeOutput(), QByteArray());
    }

    void startWithTheDefaults()
    {
        driver->openDialog();
        driver->pressStart();
        QCOMPARE(output->takeOutput(),
                 QByteArray("blackskill:  5 \nits  \"Player 1\" 's [ 3 ] turn \n"));
        QCOMPARE(status(), yourTurn);
        QVERIFY(board->isGameActive());
        CPlayer *white = window->white();
        CPlayer *black = window->black();
        QVERIFY(white->isHuman());
        QCOMPARE(white->name(), QStringLiteral("Player 1"));
        QCOMPARE(black->name(), QStringLiteral("COMPUTAR L5"));
        QCOMPARE(computer(black)->delay, 100);
        QCOMPARE(white->opponent, black);
        QCOMPARE(black->opponent, white);
        QCOMPARE(black->side, int(CGameState::Black));
    }

    void twoPeoplePrintNoSkillLine()
    {
        driver->openDialog();
        CWindowDriver::choose(driver->blackSide(), true);
        driver->pressStart();
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Player 1\" 's [ 3 ] turn \n"));
        QCOMPARE(status(), QStringLiteral("It's Player 1's turn"));
        QVERIFY(window->black()->isHuman());
    }

    // With the delay switched off before the games, the computers get none.
    // Game after game from the same dialog, nothing of the games before is
    // left: no player, no thread, no connection.
    void computersAtPoorPlayToTheEnd()
    {
        QVERIFY(CLiveObjects::available());
        driver->action(QStringLiteral("Computer move delay"))->trigger();
        QList<QList<int>> leftAfterGame; // objects, connections and threads
        for (int game = 1; game <= 4; ++game) {
            driver->openDialog();
            if (game == 1) {
                CWindowDriver::choose(driver->whiteSide(), false, 0);
                CWindowDriver::choose(driver->blackSide(), false, 0);
            }
            driver->pressStart();
            QCOMPARE(output->takeOutput(), QByteArray("whiteskill:  1 \nblackskill:  1 \n"));
            QCOMPARE(computer(window->white())->delay, 0);
            QCOMPARE(computer(window->black())->delay, 0);
            QTRY_VERIFY_WITH_TIMEOUT(!board->isGameActive(), 120000);
            QVERIFY(status().startsWith(QStringLiteral("GAME OVER: ")));
            const QByteArray line = output->takeOutput();
            QVERIFY2(line.startsWith("GAME OVER,  ") && line.count('\n') == 1, line.constData());
            leftAfterGame.append(
                { live->objectCount(), live->connectionCount(), CLiveObjects::threadCount() });
        }
        QCOMPARE(leftAfterGame.at(3), leftAfterGame.at(1));
    }

    void personPlaysByClicks()
    {
        driver->action(QStringLiteral("Computer move delay"))->trigger();
        startPersonAgainstComputer();
        for (int step = 1; step <= 3; ++step) {
            QTRY_COMPARE(status(), yourTurn);
            int from = 0;
            int to = 0;
            QVERIFY(firstLegalStep(*board, from, to));
            QTest::mouseClick(board->squareWidget(from), Qt::LeftButton);
            QCOMPARE(board->selection(), board->squareWidget(from));
            QTest::mouseClick(board->squareWidget(to), Qt::LeftButton);
            QVERIFY(CGameState::isWhite(board->squares[to]));
            if (step == 1) {
                QCOMPARE(status(), QStringLiteral("Computer is thinking..."));
                QTest::mouseClick(board->squareWidget(to), Qt::LeftButton); // not the person's turn
                QCOMPARE(board->selection(), nullptr);
            }
        }
        QTRY_COMPARE(status(), yourTurn);
        QCOMPARE(output->takeOutput(),
                 "blackskill:  1 \n"
                     + QByteArray("its  \"Player 1\" 's [ 3 ] turn \n").repeated(4));
    }

    // Start blocks until the thinking computer's search and pauses are over;
    // the move it found is never played.
    void startWhileTheComputerThinks()
    {
        driver->openDialog();
        CWindowDriver::choose(driver->whiteSide(), false, 2);
        CWindowDriver::choose(driver->blackSide(), true);
        driver->pressStart();
        QCOMPARE(status(), QStringLiteral("Computer is thinking..."));
        driver->openDialog();
        CWindowDriver::choose(driver->whiteSide(), true);
        driver->pressStart();
        QCOMPARE(status(), QStringLiteral("It's Player 1's turn"));
        QTest::qWait(50);
        QCOMPARE(board->plyCount(), 0);
        QCOMPARE(board->selection(), nullptr);
        for (int n = 0; n < CGameState::SquareCount; ++n)
            QCOMPARE(board->squareWidget(n)->isSelected(), false);
        QCOMPARE(output->takeOutput(),
                 QByteArray("whiteskill:  5 \nits  \"Player 1\" 's [ 3 ] turn \n"));
    }

    void delayOptionReachesOnlyComputers()
    {
        startPersonAgainstComputer();
        QAction *delay = driver->action(QStringLiteral("Computer move delay"));
        delay->trigger();
        QVERIFY(!delay->isChecked());
        QCOMPARE(computer(window->black())->delay, 0);
        QVERIFY(window->white()->isHuman());
        delay->trigger();
        QCOMPARE(computer(window->black())->delay, 100);
    }

    // Closing the window while the computer thinks, then ending the program
    // as main does: the search is waited for, and nothing is left behind.
    void quitWhileTheComputerThinks()
    {
        driver->openDialog();
        CWindowDriver::choose(driver->whiteSide(), false, 2);
        driver->pressStart();
        driver->action(QStringLiteral("&Quit"))->trigger();
        QVERIFY(!window->isVisible());
        window.reset();
        QTest::qWait(50);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }
};

QTEST_MAIN(TestNewGameDlg)
#include "newgamedlgtest.moc"
