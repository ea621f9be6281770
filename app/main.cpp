#include "app/mainwin.h"
#include "app/messagehandler.h"

#include <QApplication>

int main(int argc, char **argv)
{
    qInstallMessageHandler(messageHandler);
    QApplication application(argc, argv);
    CMainWin window;
    window.show();
    return application.exec();
}
