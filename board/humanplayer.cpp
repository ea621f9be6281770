#include "humanplayer.h"

#include "board/debugline.h"
#include "rules/gamestate.h"

#include <QStatusBar>

CHumanPlayer::CHumanPlayer(const QString &name, QStatusBar *statusBar)
    : CPlayer(CGameState::White)
    , playerName(name)
    , statusBar(statusBar)
{ }

bool CHumanPlayer::isHuman() const
{
    return true;
}

QString CHumanPlayer::name() const
{
    return playerName;
}

void CHumanPlayer::play()
{
    CDebugLine() << "its " << playerName << "'s [" << side << "] turn";
    statusBar->showMessage(turnMessage());
}

QString CHumanPlayer::turnMessage() const
{
    // Against the computer there is only one person to address.
    if (opponent && !opponent->isHuman())
        return QStringLiteral("It's your turn");
    return QStringLiteral("It's ") + playerName + QStringLiteral("'s turn");
}
