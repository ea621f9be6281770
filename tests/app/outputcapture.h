#ifndef CHECKERS_TESTS_APP_OUTPUTCAPTURE_H
#define CHECKERS_TESTS_APP_OUTPUTCAPTURE_H

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

// While it lives, every message goes through the program's own line writer
// into memory instead of standard output, so tests see the bytes a user
// would see.
class COutputCapture
{
public:
    COutputCapture();
    ~COutputCapture();
    COutputCapture(const COutputCapture &) = delete;
    COutputCapture &operator=(const COutputCapture &) = delete;

    // The bytes written since the previous call.
    QByteArray takeOutput();

private:
    static void handleMessage(QtMsgType type, const QMessageLogContext &context,
                              const QString &text);
    static COutputCapture *active;

    QtMessageHandler previousHandler;
    char *buffer = nullptr;
    std::size_t size = 0;
    std::size_t taken = 0;
    std::FILE *stream;
};

#endif
