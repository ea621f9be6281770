#ifndef CHECKERS_APP_MAINWIN_H
#define CHECKERS_APP_MAINWIN_H

#include <QMainWindow>

class CBoard;
class CNewGameDlg;
class CPlayer;
class QAction;
class QActionGroup;
class QMenu;

// The one window of the program: the board, the Game and Options menus and
// the status bar, where the players and the end of a game speak.
class CMainWin : public QMainWindow
{
    Q_OBJECT

public:
    CMainWin();
    ~CMainWin() override;

    // The players of the current game, null until the first Start.
    CPlayer *white() const { return whitePlayer; }
    CPlayer *black() const { return blackPlayer; }

private slots:
    void slot_newGame();
    void slot_quit();
    void slot_setDelay(bool on);
    void slot_setSmall();
    void slot_setMedium();
    void slot_setLarge();
    void slot_startGame();
    void slot_gameOver(int winner);

private:
    void createActions();
    void createMenus();
    void adjustWindowSize();
    void resizeBoard(int squareSize);

    CBoard *board;
    CPlayer *whitePlayer;
    CPlayer *blackPlayer;
    CNewGameDlg *newGameDlg;
    QMenu *gameMenu;
    QMenu *sizeMenu;
    QMenu *optionsMenu;
    QAction *newGameAct;
    QAction *quitAct;
    QAction *delayAct;
    QActionGroup *sizeGroup;
    QAction *smallAct;
    QAction *mediumAct;
    QAction *largeAct;
};

#endif
