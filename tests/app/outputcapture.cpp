#include "outputcapture.h"

#include "app/messagehandler.h"

#include <cstdlib>

COutputCapture *COutputCapture::active = nullptr;

COutputCapture::COutputCapture()
    : previousHandler(qInstallMessageHandler(handleMessage))
    , stream(open_memstream(&buffer, &size))
{
    active = this;
}

COutputCapture::~COutputCapture()
{
    qInstallMessageHandler(previousHandler);
    active = nullptr;
    std::fclose(stream);
    std::free(buffer);
}

QByteArray COutputCapture::takeOutput()
{
    std::fflush(stream);
    QByteArray output(buffer + taken, qsizetype(size - taken));
    taken = size;
    return output;
}

void COutputCapture::handleMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    writeMessageLine(active->stream, text);
}
