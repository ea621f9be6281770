#include "numbertext.h"

#include <charconv>

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
