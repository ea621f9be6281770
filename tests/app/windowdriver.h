#ifndef CHECKERS_TESTS_APP_WINDOWDRIVER_H
#define CHECKERS_TESTS_APP_WINDOWDRIVER_H

#include <QString>

class CBoard;
class CMainWin;
class CNewGameDlg;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// One side's widgets of the new-game dialog.
struct SideWidgets
{
    QGroupBox *group;
    QRadioButton *human;
    QRadioButton *computer;
    QLabel *label;
    QLineEdit *name;
    QComboBox *skill;
};

// Uses a real main window the way a person does: its menu actions, the
// new-game dialog's buttons, combo boxes and name fields, and its status bar.
// The widgets are found where the window and its layouts put them.
class CWindowDriver
{
public:
    explicit CWindowDriver(CMainWin *window);

    CBoard *board() const { return boardWidget; }
    CNewGameDlg *dialog() const { return newGameDlg; }
    QString status() const;
    QAction *action(const QString &text) const;

    SideWidgets whiteSide() const { return side(0); }
    SideWidgets blackSide() const { return side(1); }
    QPushButton *startButton() const;

    // Game > New Game; the dialog is shown.
    void openDialog() const;
    // A side for a person, or for the computer at skill 0 (Poor) to 2 (Good)
    // chosen from the keyboard; a non-empty name is typed over the old one.
    static void choose(const SideWidgets &side, bool human, int skill = 2,
                       const QString &name = QString());
    // Start, which hides the dialog.
    void pressStart() const;

private:
    SideWidgets side(int row) const;

    CMainWin *window;
    CBoard *boardWidget;
    CNewGameDlg *newGameDlg;
};

#endif
