#ifndef CHECKERS_OUTPUT_DIAGNOSTIC_H
#define CHECKERS_OUTPUT_DIAGNOSTIC_H

#include <QString>

// Sends one of the program's diagnostic lines to the message handler as a
// debug message, unchanged. The lines are the program's output, not optional
// noise, so they carry a category of their own that no logging rule can
// switch off: rules (QT_LOGGING_RULES, qtlogging.ini) act only where a
// QLoggingCategory is asked and on qDebug()'s default category, and these
// lines ask neither. Qt's own messages stay filtered as before.
void emitDiagnostic(const QString &line);

#endif
