#ifndef CHECKERS_APP_MESSAGEHANDLER_H
#define CHECKERS_APP_MESSAGEHANDLER_H

#include <QtGlobal>

#include <cstdio>

// Every message, whatever its type, becomes one line on standard output:
// its text and a newline, no prefix.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text);

// Writes the line messageHandler writes, to any stream, and flushes it.
void writeMessageLine(std::FILE *stream, const QString &text);

#endif
