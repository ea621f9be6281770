#include "thinkingthread.h"

#include "board/board.h"
#include "engine/search.h"
#include "output/diagnostic.h"

CThinkingThread::CThinkingThread(CBoard *board, int *moveFrom, int *moveTo, int depth, int delay,
                                 QObject *player)
    : board(board)
    , moveFrom(moveFrom)
    , moveTo(moveTo)
    , depth(depth)
    , delay(delay)
    , player(player)
    , ended(false)
{ }

void CThinkingThread::waitForEnd()
{
    wait();
    ended.load(std::memory_order_acquire);
}

void CThinkingThread::run()
{
    findBestMove(*board, depth, *moveFrom, *moveTo);
    if (board->checkMove(*moveFrom, *moveTo)) {
        showSquare(*moveFrom);
        msleep(delay);
        showSquare(*moveTo);
        msleep(delay);
    } else {
        emitDiagnostic(QStringLiteral("ERR: CThinkingThread found no legal move!"));
    }
    ended.store(true, std::memory_order_release);
}

void CThinkingThread::showSquare(int number)
{
    // By name, so that the request is carried in Qt's own memory: nothing
    // the worker builds is touched by the GUI thread.
    QMetaObject::invokeMethod(player, "showSquare", Qt::QueuedConnection, Q_ARG(int, number));
}
