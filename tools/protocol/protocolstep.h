#ifndef CHECKERS_TOOLS_PROTOCOL_PROTOCOLSTEP_H
#define CHECKERS_TOOLS_PROTOCOL_PROTOCOLSTEP_H

#include <string>

// One move step as the engine protocol writes it: FROM-TO, or FROMxTO for a
// capture, in PDN square numbers 1 to 32. Either separator is read for
// either step: the squares decide.
class CProtocolStep
{
public:
    // Squares 0 to 31 from text; false unless text is one such step.
    static bool parse(const std::string &text, int &from, int &to);
    static std::string format(int from, int to, bool capture);

private:
    static bool parseSquare(const std::string &text, int &square);
};

#endif
