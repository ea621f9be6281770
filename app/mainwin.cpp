#include "mainwin.h"

#include "app/newgamedlg.h"
#include "app/statustipfilter.h"
#include "board/board.h"
#include "engine/compplayer.h"

#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>

namespace {

const int smallSquareSize = 48;
const int mediumSquareSize = 64;
const int largeSquareSize = 96;
const int delayOn = 100;
const int delayOff = 0;

} // namespace

CMainWin::CMainWin()
    : whitePlayer(nullptr)
    , blackPlayer(nullptr)
{
    board = new CBoard;
    setCentralWidget(board);
    connect(board, &CBoard::sig_gameOver, this, &CMainWin::slot_gameOver);
    createActions();
    createMenus();
    installEventFilter(new CStatusTipFilter(this));
    statusBar()->showMessage(tr("..."));
    adjustWindowSize();
    newGameDlg = new CNewGameDlg(statusBar(), board);
    connect(newGameDlg, &CNewGameDlg::sig_okPushed, this, &CMainWin::slot_startGame);
}

CMainWin::~CMainWin()
{
    // A thinking computer player still reads the board until it is deleted.
    delete whitePlayer;
    delete blackPlayer;
    delete board;
    delete newGameDlg;
}

void CMainWin::createActions()
{
    newGameAct = new QAction(tr("&New Game"), this);
    newGameAct->setToolTip(tr("Start new game"));
    connect(newGameAct, &QAction::triggered, this, &CMainWin::slot_newGame);

    quitAct = new QAction(tr("&Quit"), this);
    connect(quitAct, &QAction::triggered, this, &CMainWin::slot_quit);

    delayAct = new QAction(tr("Computer move delay"), this);
    delayAct->setCheckable(true);
    delayAct->setChecked(true);
    connect(delayAct, &QAction::triggered, this, &CMainWin::slot_setDelay);

    smallAct = new QAction(tr("&Small"), this);
    smallAct->setCheckable(true);
    connect(smallAct, &QAction::triggered, this, &CMainWin::slot_setSmall);

    mediumAct = new QAction(tr("&Medium"), this);
    mediumAct->setCheckable(true);
    connect(mediumAct, &QAction::triggered, this, &CMainWin::slot_setMedium);

    largeAct = new QAction(tr("&Large"), this);
    largeAct->setCheckable(true);
    connect(largeAct, &QAction::triggered, this, &CMainWin::slot_setLarge);

    sizeGroup = new QActionGroup(this);
    sizeGroup->addAction(smallAct);
    sizeGroup->addAction(mediumAct);
    sizeGroup->addAction(largeAct);
    sizeGroup->setExclusive(true);
    // The board starts at the medium size; checking it from code applies nothing.
    mediumAct->setChecked(true);
}

void CMainWin::createMenus()
{
    gameMenu = menuBar()->addMenu(tr("&Game"));
    gameMenu->addAction(newGameAct);
    gameMenu->addSeparator();
    gameMenu->addAction(quitAct);

    optionsMenu = menuBar()->addMenu(tr("&Options"));
    optionsMenu->addAction(delayAct);
    optionsMenu->addSeparator();
    sizeMenu = optionsMenu->addMenu(tr("&Size"));
    sizeMenu->addAction(smallAct);
    sizeMenu->addAction(mediumAct);
    sizeMenu->addAction(largeAct);
}

void CMainWin::adjustWindowSize()
{
    // Lay the window out first, so that the menu bar and the status bar have
    // their real heights even before the window is first shown.
    layout()->activate();
    setFixedSize(board->width(), board->height() + statusBar()->height() + menuBar()->height());
}

void CMainWin::resizeBoard(int squareSize)
{
    board->setSquareSize(squareSize);
    adjustWindowSize();
}

void CMainWin::slot_newGame()
{
    newGameDlg->show();
}

void CMainWin::slot_quit()
{
    close();
}

void CMainWin::slot_setDelay(bool on)
{
    for (CPlayer *player : { whitePlayer, blackPlayer }) {
        if (player && !player->isHuman())
            static_cast<CCompPlayer *>(player)->delay = on ? delayOn : delayOff;
    }
}

void CMainWin::slot_setSmall()
{
    resizeBoard(smallSquareSize);
}

void CMainWin::slot_setMedium()
{
    resizeBoard(mediumSquareSize);
}

void CMainWin::slot_setLarge()
{
    resizeBoard(largeSquareSize);
}

void CMainWin::slot_startGame()
{
    // A thinking computer player is waited for; its move is never played.
    delete whitePlayer;
    delete blackPlayer;
    whitePlayer = newGameDlg->createWhitePlayer();
    blackPlayer = newGameDlg->createBlackPlayer();
    if (!delayAct->isChecked())
        slot_setDelay(false);
    whitePlayer->opponent = blackPlayer;
    blackPlayer->opponent = whitePlayer;
    board->startGame(whitePlayer, blackPlayer);
    newGameDlg->hide();
}

void CMainWin::slot_gameOver(int winner)
{
    QString text = tr("GAME OVER: ");
    if (winner == CBoard::Draw)
        text += tr("DRAW!");
    else if (winner == CBoard::WhiteWins)
        text += tr("WHITE WINS!");
    else if (winner == CBoard::BlackWins)
        text += tr("BLACK WINS!");
    statusBar()->showMessage(text);
}
