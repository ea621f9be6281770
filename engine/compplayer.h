#ifndef CHECKERS_ENGINE_COMPPLAYER_H
#define CHECKERS_ENGINE_COMPPLAYER_H

#include "board/player.h"

#include <QObject>

class CBoard;
class CThinkingThread;
class QStatusBar;

// The computer at the board: on its turn it searches on a worker thread,
// shows the move it found and then plays it from the GUI thread.
class CCompPlayer : public QObject, public CPlayer
{
    Q_OBJECT

public:
    CCompPlayer(CBoard *board, QStatusBar *statusBar, int depth, int delay);
    ~CCompPlayer() override;

    bool isHuman() const override;
    QString name() const override;
    void play() override;

    // Milliseconds to pause after each of the two highlights of a move; a
    // change reaches the next move, the running one has its own copy.
    int delay;

protected slots:
    void slot_makeMove();

private:
    // Carries out a highlight the worker asked for, on the GUI thread.
    Q_INVOKABLE void showSquare(int number);
    void endThread();
    QString thinkingText() const;

    CBoard *board;
    QStatusBar *statusBar;
    CThinkingThread *thread;
    int moveFrom;
    int moveTo;
    int depth;
};

#endif
