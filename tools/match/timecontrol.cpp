#include "timecontrol.h"

#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"

#include <cmath>

namespace {

// A day, as for --timeout: a longer clock is a typing error.
constexpr double MaxSeconds = 86400;

} // namespace

bool CTimeControl::readClock(const std::string &text, std::string &error)
{
    const std::string::size_type plus = text.find('+');
    m_moveTime = false;
    m_increment = Duration(0);
    if (readSeconds(text.substr(0, plus), m_base) && m_base.count() > 0
        && (plus == std::string::npos || readSeconds(text.substr(plus + 1), m_increment)))
        return true;
    error = "--tc must be BASE or BASE+INC, seconds, BASE above 0, up to 86400, not "
        + CQuotedText::quote(text);
    return false;
}

bool CTimeControl::readMoveTime(const std::string &text, std::string &error)
{
    m_moveTime = true;
    if (readSeconds(text, m_base) && m_base.count() > 0)
        return true;
    error = "--movetime must be a number of seconds above 0 and up to 86400, not "
        + CQuotedText::quote(text);
    return false;
}

std::string CTimeControl::tagValue() const
{
    if (m_moveTime)
        return "";
    return secondsText(m_base) + (m_increment.count() > 0 ? '+' + secondsText(m_increment) : "");
}

std::string CTimeControl::option() const
{
    return m_moveTime ? "--movetime " + secondsText(m_base) : "--tc " + tagValue();
}

// Whole milliseconds, the finest a clock is kept in.
bool CTimeControl::readSeconds(const std::string &text, Duration &duration)
{
    double seconds;
    if (!CNumberText::parse(text, seconds) || seconds < 0 || seconds > MaxSeconds)
        return false;
    duration = Duration(std::llround(seconds * 1000));
    return true;
}

std::string CTimeControl::secondsText(Duration duration)
{
    return CNumberText::format(static_cast<double>(duration.count()) / 1000);
}
