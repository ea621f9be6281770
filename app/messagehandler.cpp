#include "messagehandler.h"

#include <QString>

void messageHandler(QtMsgType, const QMessageLogContext &, const QString &text)
{
    writeMessageLine(stdout, text);
}

void writeMessageLine(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}
