#ifndef CHECKERS_APP_STATUSTIPFILTER_H
#define CHECKERS_APP_STATUSTIPFILTER_H

#include <QObject>

// Keeps the status bar's message while the user looks through the menus.
// A menu sends the status tip of each item it highlights to its main window,
// which shows it in the status bar; the program's actions have none, so every
// item would wipe the message that says whose turn it is, or how the game
// ended. Installed on the main window, this drops those status tips, so the
// status bar shows the program's own messages only.
class CStatusTipFilter : public QObject
{
    Q_OBJECT

public:
    explicit CStatusTipFilter(QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
