#include "progressline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/ioctl.h>

CProgressLine::CProgressLine(std::ostream &out, int total, Width width)
    : m_out(out)
    , m_total(total)
    , m_width(std::move(width))
    , m_start(Clock::now())
{ }

void CProgressLine::show(int done, const std::vector<std::string> &figures)
{
    const double elapsed = std::chrono::duration<double>(Clock::now() - m_start).count();
    const std::string left = done == 0 ? "?" : duration(elapsed * (m_total - done) / done);
    std::vector<std::string> fields { "games " + std::to_string(done) + " of "
                                      + std::to_string(m_total) };
    fields.insert(fields.end(), figures.begin(), figures.end());
    fields.push_back(duration(elapsed) + " elapsed");
    fields.push_back(left + " left");
    draw(fields);
}

void CProgressLine::clear()
{
    draw({});
}

std::size_t CProgressLine::terminalWidth(int fd)
{
    winsize size {};
    return ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

// As many whole fields as fit: half of one would mislead. Spaces cover what
// the longer old text left. The last column stays free: some terminals wrap
// as soon as it is written.
void CProgressLine::draw(const std::vector<std::string> &fields)
{
    const std::size_t room = std::max<std::size_t>(m_width(), 1) - 1;
    std::string text;
    for (const std::string &field : fields) {
        const std::string::size_type longer = text.size() + (text.empty() ? 0 : 2) + field.size();
        if (longer > room)
            break;
        text += (text.empty() ? "" : ", ") + field;
    }
    const std::size_t blank = std::min(std::max(m_drawn, text.size()), room) - text.size();
    m_out << '\r' << text << std::string(blank, ' ') << '\r' << std::flush;
    m_drawn = text.size();
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
