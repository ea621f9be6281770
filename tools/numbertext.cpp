#include "numbertext.h"

#include <charconv>

bool CNumberText::parse(const std::string &text, int &value)
{
    const char *end = text.data() + text.size();
    int parsed = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (error != std::errc() || stop != end)
        return false;
    value = parsed;
    return true;
}
