#ifndef CHECKERS_TOOLS_POSITION_NUMBERTEXT_H
#define CHECKERS_TOOLS_POSITION_NUMBERTEXT_H

#include <cstdint>
#include <string>

// Reads a decimal integer written as the whole of a text: an optional minus
// sign and digits, nothing else. Values beyond int are refused, not wrapped.
// Real numbers are read and written in one form too.
class CNumberText
{
public:
    static bool parse(const std::string &text, int &value);
    // Reads an integer from min to max; false with one line that names it
    // as what.
    static bool read(const std::string &text, const std::string &what, int min, int max, int &value,
                     std::string &error);
    // The same for an unsigned 32-bit number: no sign at all.
    static bool parse(const std::string &text, std::uint32_t &value);
    // A finite decimal number, "0.05", "-3" or "1e-3"; no infinity or NaN.
    static bool parse(const std::string &text, double &value);
    // The shortest text that parse() reads back as the same number.
    static std::string format(double value);
};

#endif
