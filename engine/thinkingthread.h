#ifndef CHECKERS_ENGINE_THINKINGTHREAD_H
#define CHECKERS_ENGINE_THINKINGTHREAD_H

#include <QThread>

#include <atomic>

class CBoard;

// One computer move step: searches the board's position, writes the move
// into its player's fields and shows it on the board before it ends.
class CThinkingThread : public QThread
{
public:
    CThinkingThread(CBoard *board, int *moveFrom, int *moveTo, int depth, int delay,
                    QObject *player);

    // Blocks until run() has ended. Afterwards the caller may read what the
    // worker wrote (the move, the board's verdict memo) and delete the thread.
    void waitForEnd();

protected:
    void run() override;

private:
    void showSquare(int number);

    CBoard *board;
    int *moveFrom;
    int *moveTo;
    int depth;
    int delay;
    // Widgets belong to the GUI thread, so the highlights travel as queued
    // calls to the player. The worker never waits for them, they arrive in
    // order before the player's slot_makeMove, and a deleted player takes its
    // pending calls with it: none can reach the board of the next game.
    QObject *player;
    // Set as run()'s last step. Qt orders everything the worker did before
    // finished() and wait() through its own futex-based mutex, which
    // ThreadSanitizer cannot see in an uninstrumented Qt; this release and
    // the acquire in waitForEnd() state the same order where it can.
    std::atomic<bool> ended;
};

#endif
