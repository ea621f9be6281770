#include "app/newgamedlg.h"
#include "../board/boardposition.h"
#include "app/mainwin.h"
#include "engine/compplayer.h"
#include "outputcapture.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

// One side's widgets of the dialog.
struct SideWidgets
{
    QGroupBox *group;
    QRadioButton *human;
    QRadioButton *computer;
    QLabel *label;
    QLineEdit *name;
    QComboBox *skill;
};

const QString yourTurn = QStringLiteral("It's your turn");

} // namespace

// The "New Game" dialog of a real main window and the games its Start button
// begins, driven through the menus and the dialog's own widgets.
class TestNewGameDlg : public QObject
{
    Q_OBJECT

    std::unique_ptr<COutputCapture> output;
    std::unique_ptr<CMainWin> window;
    CBoard *board = nullptr;
    CNewGameDlg *dialog = nullptr;

    QString status() const { return window->statusBar()->currentMessage(); }

    QAction *action(const QString &text) const
    {
        for (QAction *action : window->findChildren<QAction *>()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    // Found where the layout puts them: White's row above Black's, in each
    // the group box on the left and the entry column on the right.
    SideWidgets side(int row) const
    {
        const QLayout *rowLayout = dialog->layout()->itemAt(row)->layout();
        const QLayout *column = rowLayout->itemAt(1)->layout();
        auto *group = qobject_cast<QGroupBox *>(rowLayout->itemAt(0)->widget());
        const QLayout *radios = group->layout();
        return { group,
                 qobject_cast<QRadioButton *>(radios->itemAt(0)->widget()),
                 qobject_cast<QRadioButton *>(radios->itemAt(1)->widget()),
                 qobject_cast<QLabel *>(column->itemAt(0)->widget()),
                 qobject_cast<QLineEdit *>(column->itemAt(1)->widget()),
                 qobject_cast<QComboBox *>(column->itemAt(2)->widget()) };
    }
    SideWidgets whiteSide() const { return side(0); }
    SideWidgets blackSide() const { return side(1); }

    QPushButton *startButton() const
    {
        return qobject_cast<QPushButton *>(dialog->layout()->itemAt(2)->widget());
    }

    static void verifyEntry(const SideWidgets &side, bool human)
    {
        QCOMPARE(side.human->isChecked(), human);
        QCOMPARE(side.computer->isChecked(), !human);
        QCOMPARE(side.label->text(), human ? QStringLiteral("Name:") : QStringLiteral("Skill:"));
        QCOMPARE(side.name->isVisible(), human);
        QCOMPARE(side.skill->isVisible(), !human);
    }

    static void choose(const SideWidgets &side, bool human, int skill = 2)
    {
        QTest::mouseClick(human ? side.human : side.computer, Qt::LeftButton);
        side.skill->setCurrentIndex(skill);
    }

    void openDialog()
    {
        action(QStringLiteral("&New Game"))->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

    void pressStart()
    {
        QTest::mouseClick(startButton(), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }

    CCompPlayer *computer(CPlayer *player) const
    {
        return player->isHuman() ? nullptr : static_cast<CCompPlayer *>(player);
    }

    // A game of a person against the computer, as far as the person's turn.
    void startPersonAgainstComputer()
    {
        openDialog();
        choose(blackSide(), false, 0);
        pressStart();
        QTRY_COMPARE(status(), yourTurn);
    }

private slots:
    void init()
    {
        output = std::make_unique<COutputCapture>();
        window = std::make_unique<CMainWin>();
        board = qobject_cast<CBoard *>(window->centralWidget());
        dialog = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<CNewGameDlg *>(widget))
                dialog = found;
        }
        QVERIFY(dialog);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        output.reset();
    }

    void firstLook()
    {
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->parent());
        openDialog();
        QCOMPARE(dialog->size(), QSize(250, 200));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("New Game"));
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        QCOMPARE(startButton()->text(), QStringLiteral("Start"));

        const SideWidgets white = whiteSide();
        const SideWidgets black = blackSide();
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

        action(QStringLiteral("&New Game"))->trigger(); // already open: nothing changes
        QVERIFY(dialog->isVisible());
        QCOMPARE(output->takeOutput(), QByteArray());
        QCOMPARE(status(), QStringLiteral("..."));
    }

    void switchingKeepsTheNameAndTheSkill()
    {
        openDialog();
        for (const SideWidgets &side : { whiteSide(), blackSide() }) {
            choose(side, true);
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
        verifyEntry(whiteSide(), false); // the sides are independent
        QCOMPARE(output->takeOutput(), QByteArray());
    }

    void startWithTheDefaults()
    {
        openDialog();
        pressStart();
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
        openDialog();
        choose(blackSide(), true);
        pressStart();
        QCOMPARE(output->takeOutput(), QByteArray("its  \"Player 1\" 's [ 3 ] turn \n"));
        QCOMPARE(status(), QStringLiteral("It's Player 1's turn"));
        QVERIFY(window->black()->isHuman());
    }

    // With the delay switched off before the game, the computers get none.
    void computersAtPoorPlayToTheEnd()
    {
        action(QStringLiteral("Computer move delay"))->trigger();
        openDialog();
        choose(whiteSide(), false, 0);
        choose(blackSide(), false, 0);
        pressStart();
        QCOMPARE(output->takeOutput(), QByteArray("whiteskill:  1 \nblackskill:  1 \n"));
        QCOMPARE(computer(window->white())->delay, 0);
        QCOMPARE(computer(window->black())->delay, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!board->isGameActive(), 120000);
        QVERIFY(status().startsWith(QStringLiteral("GAME OVER: ")));
        const QByteArray line = output->takeOutput();
        QVERIFY2(line.startsWith("GAME OVER,  ") && line.count('\n') == 1, line.constData());
    }

    void personPlaysByClicks()
    {
        action(QStringLiteral("Computer move delay"))->trigger();
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
        openDialog();
        choose(whiteSide(), false, 2);
        choose(blackSide(), true);
        pressStart();
        QCOMPARE(status(), QStringLiteral("Computer is thinking..."));
        openDialog();
        choose(whiteSide(), true);
        pressStart();
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
        QAction *delay = action(QStringLiteral("Computer move delay"));
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
        openDialog();
        choose(whiteSide(), false, 2);
        pressStart();
        action(QStringLiteral("&Quit"))->trigger();
        QVERIFY(!window->isVisible());
        window.reset();
        QTest::qWait(50);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }
};

QTEST_MAIN(TestNewGameDlg)
#include "newgamedlgtest.moc"
