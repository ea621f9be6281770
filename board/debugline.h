#ifndef CHECKERS_BOARD_DEBUGLINE_H
#define CHECKERS_BOARD_DEBUGLINE_H

#include <QString>

// Composes one diagnostic line item by item, each item followed by one blank
// and string values between plain double quotes, and sends it as a debug
// message when it goes out of scope:
//     CDebugLine() << "its " << name << "'s [" << side << "] turn";
class CDebugLine
{
public:
    CDebugLine() = default;
    ~CDebugLine();
    CDebugLine(const CDebugLine &) = delete;
    CDebugLine &operator=(const CDebugLine &) = delete;

    CDebugLine &operator<<(const char *text);
    CDebugLine &operator<<(const QString &value);
    CDebugLine &operator<<(int value);

private:
    QString line;
};

#endif
