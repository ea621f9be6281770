#include "progressline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

CProgressLine::CProgressLine(std::ostream &out, int total)
    : m_out(out)
    , m_total(total)
    , m_start(Clock::now())
{ }

void CProgressLine::show(int done)
{
    const double elapsed = std::chrono::duration<double>(Clock::now() - m_start).count();
    const std::string left = done == 0 ? "?" : duration(elapsed * (m_total - done) / done);
    draw("games " + std::to_string(done) + " of " + std::to_string(m_total) + ", "
         + duration(elapsed) + " elapsed, " + left + " left");
}

void CProgressLine::clear()
{
    draw("");
}

// The new text covers what the longer old one left.
void CProgressLine::draw(const std::string &text)
{
    const std::size_t width = std::max(m_width, text.size());
    m_out << '\r' << text << std::string(width - text.size(), ' ') << '\r' << std::flush;
    m_width = text.size();
}

std::string CProgressLine::duration(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    if (whole < 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    return text;
}
