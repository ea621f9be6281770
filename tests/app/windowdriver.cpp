#include "windowdriver.h"

#include "app/mainwin.h"
#include "app/newgamedlg.h"
#include "board/board.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

CWindowDriver::CWindowDriver(CMainWin *window)
    : window(window)
    , boardWidget(qobject_cast<CBoard *>(window->centralWidget()))
    , newGameDlg(nullptr)
{
    // The dialog is a window of its own, so it is no child of the main window.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<CNewGameDlg *>(widget))
            newGameDlg = found;
    }
}

QString CWindowDriver::status() const
{
    return window->statusBar()->currentMessage();
}

QAction *CWindowDriver::action(const QString &text) const
{
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// White's row above Black's, in each the group box on the left and the
// entry column on the right; the Start button below both.
SideWidgets CWindowDriver::side(int row) const
{
    const QLayout *rowLayout = newGameDlg->layout()->itemAt(row)->layout();
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

QPushButton *CWindowDriver::startButton() const
{
    return qobject_cast<QPushButton *>(newGameDlg->layout()->itemAt(2)->widget());
}

void CWindowDriver::openDialog() const
{
    action(QStringLiteral("&New Game"))->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(newGameDlg));
}

void CWindowDriver::choose(const SideWidgets &side, bool human, int skill, const QString &name)
{
    QTest::mouseClick(human ? side.human : side.computer, Qt::LeftButton);
    if (!human) {
        QTest::keyClick(side.skill, Qt::Key_Home);
        for (int n = 0; n < skill; ++n)
            QTest::keyClick(side.skill, Qt::Key_Down);
        QCOMPARE(side.skill->currentIndex(), skill);
    } else if (!name.isEmpty()) {
        QTest::keyClick(side.name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(side.name, name);
        QCOMPARE(side.name->text(), name);
    }
}

void CWindowDriver::pressStart() const
{
    QTest::mouseClick(startButton(), Qt::LeftButton);
    QVERIFY(!newGameDlg->isVisible());
}
