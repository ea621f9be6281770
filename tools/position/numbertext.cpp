#include "numbertext.h"

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
