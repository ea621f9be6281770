#include "compplayer.h"

#include "board/board.h"
#include "engine/thinkingthread.h"

#include <QStatusBar>

CCompPlayer::CCompPlayer(CBoard *board, QStatusBar *statusBar, int depth, int delay)
    : CPlayer(CGameState::White)
    , delay(delay)
    , board(board)
    , statusBar(statusBar)
    , thread(nullptr)
    , moveFrom(-1)
    , moveTo(-1)
    , depth(depth)
{ }

CCompPlayer::~CCompPlayer()
{
    // Whatever the thread still asks of this player dies with it: its
    // highlights and its move never reach the board.
    endThread();
}

bool CCompPlayer::isHuman() const
{
    return false;
}

QString CCompPlayer::name() const
{
    return QStringLiteral("COMPUTAR L") + QString::number(depth);
}

void CCompPlayer::play()
{
    endThread();
    statusBar->showMessage(thinkingText());
    thread = new CThinkingThread(board, &moveFrom, &moveTo, depth, delay, this);
    connect(thread, &QThread::finished, this, &CCompPlayer::slot_makeMove);
    thread->start(QThread::LowestPriority);
}

void CCompPlayer::slot_makeMove()
{
    thread->waitForEnd();
    // Inside a capture sequence this plays on at once: the board calls
    // play() again, which replaces the thread that has just ended.
    board->makeMove(moveFrom, moveTo);
    board->clearSelection();
}

void CCompPlayer::showSquare(int number)
{
    board->selectSquare(number);
}

void CCompPlayer::endThread()
{
    if (!thread)
        return;
    thread->waitForEnd();
    delete thread;
    thread = nullptr;
}

QString CCompPlayer::thinkingText() const
{
    if (!opponent || opponent->isHuman())
        return QStringLiteral("Computer is thinking...");
    const QString sideWord
        = side == CGameState::White ? QStringLiteral("WHITE") : QStringLiteral("BLACK");
    return QStringLiteral("Computer [") + sideWord + QStringLiteral("] is thinking...");
}
