#include "matchclock.h"

#include "rules/gamestate.h"

#include <cstdio>

CMatchClock::CMatchClock(const CTimeControl &control, Duration margin)
    : m_control(control)
    , m_margin(margin)
    , m_left { control.base(), control.base() }
{ }

CMatchClock::Duration CMatchClock::limit(int side) const
{
    return m_control.isMoveTime() ? m_control.base() : m_left[indexOf(side)];
}

// A little past the margin, so that what a player lost by is measured.
CMatchClock::Duration CMatchClock::grace() const
{
    return m_margin + Duration(50);
}

std::optional<CMatchClock::Duration> CMatchClock::charge(int side, Duration elapsed)
{
    const Duration over = elapsed - limit(side);
    m_turn[indexOf(side)] += elapsed;
    if (!m_control.isMoveTime())
        m_left[indexOf(side)] -= elapsed;
    if (over > m_margin)
        return over;
    return std::nullopt;
}

std::string CMatchClock::endTurn(int side, int depth, int score)
{
    const std::size_t index = indexOf(side);
    std::string comment;
    if (depth > 0)
        comment
            = (score >= 0 ? "+" : "") + std::to_string(score) + '/' + std::to_string(depth) + ' ';
    if (!m_control.isMoveTime()) {
        m_left[index] += m_control.increment();
        comment += "[%clk " + clockText(m_left[index]) + "] ";
    }
    comment += "[%emt " + secondsText(m_turn[index]) + ']';
    m_turn[index] = Duration(0);
    return comment;
}

std::string CMatchClock::secondsText(Duration duration)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(duration.count()) / 1000);
    return text;
}

std::size_t CMatchClock::indexOf(int side)
{
    return side == CGameState::White ? 0 : 1;
}

// H:MM:SS.ss, to the hundredth below: a clock never shows more than is left.
std::string CMatchClock::clockText(Duration left)
{
    const long long centiseconds = std::max<long long>(left.count(), 0) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld", centiseconds / 360000,
                  centiseconds / 6000 % 60, centiseconds / 100 % 60, centiseconds % 100);
    return text;
}
