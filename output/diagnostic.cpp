#include "diagnostic.h"

#include <QDebug>

void emitDiagnostic(const QString &line)
{
    // nospace keeps a final blank, which QDebug would otherwise drop.
    QMessageLogger(nullptr, 0, nullptr, "checkers").debug().noquote().nospace() << line;
}
