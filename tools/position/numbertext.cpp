#include "numbertext.h"

#include "quotedtext.h"

#include <charconv>
#include <cmath>

namespace {

template<typename Number> bool parseWhole(const std::string &text, Number &value)
{
    const char *end = text.data() + text.size();
    Number parsed = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (error != std::errc() || stop != end)
        return false;
    value = parsed;
    return true;
}

} // namespace

bool CNumberText::parse(const std::string &text, int &value)
{
    return parseWhole(text, value);
}

bool CNumberText::parse(const std::string &text, std::uint32_t &value)
{
    return parseWhole(text, value);
}

bool CNumberText::parse(const std::string &text, double &value)
{
    double parsed = 0;
    if (!parseWhole(text, parsed) || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string CNumberText::format(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool CNumberText::read(const std::string &text, const std::string &what, int min, int max,
                       int &value, std::string &error)
{
    int number;
    if (!parse(text, number) || number < min || number > max) {
        error = what + " must be a whole number from " + std::to_string(min) + " to "
            + std::to_string(max) + ", not " + CQuotedText::quote(text);
        return false;
    }
    value = number;
    return true;
}
