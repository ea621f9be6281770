#ifndef CHECKERS_BOARD_HUMANPLAYER_H
#define CHECKERS_BOARD_HUMANPLAYER_H

#include "player.h"

class QStatusBar;

// A person at the board: its moves come as clicks that the board turns into
// moves, so all it does on its turn is say so.
class CHumanPlayer : public CPlayer
{
public:
    CHumanPlayer(const QString &name, QStatusBar *statusBar);

    bool isHuman() const override;
    QString name() const override;
    void play() override;

private:
    QString turnMessage() const;

    QString playerName;
    QStatusBar *statusBar;
};

#endif
