#include "debugline.h"

#include "output/diagnostic.h"

CDebugLine::~CDebugLine()
{
    emitDiagnostic(line);
}

CDebugLine &CDebugLine::operator<<(const char *text)
{
    line += QString::fromUtf8(text) + QLatin1Char(' ');
    return *this;
}

CDebugLine &CDebugLine::operator<<(const QString &value)
{
    line += QLatin1Char('"') + value + QLatin1String("\" ");
    return *this;
}

CDebugLine &CDebugLine::operator<<(int value)
{
    line += QString::number(value) + QLatin1Char(' ');
    return *this;
}
