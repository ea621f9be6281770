#ifndef CHECKERS_TOOLS_MATCH_PROGRESSLINE_H
#define CHECKERS_TOOLS_MATCH_PROGRESSLINE_H

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// A line on a terminal that shows how far a run of games has come, redrawn
// in place: games done of the total, any figures the caller gives, the time
// elapsed and an estimate of the time left. It stays shorter than the terminal is wide, asked at
// each redraw, since a line that wraps can no longer be redrawn in place; a narrow one drops the
// last fields.
class CProgressLine
{
public:
    using Clock = std::chrono::steady_clock;
    // The terminal's width in columns.
    using Width = std::function<std::size_t()>;

    CProgressLine(std::ostream &out, int total, Width width);

    void show(int done, const std::vector<std::string> &figures = {});
    // Blanks the line, leaving the cursor at its start.
    void clear();

    // The width of the terminal on file descriptor fd, or 80 if it says none.
    static std::size_t terminalWidth(int fd);

private:
    // m:ss, or h:mm:ss from an hour on.
    static std::string duration(double seconds);
    void draw(const std::vector<std::string> &fields);

    std::ostream &m_out;
    const int m_total;
    const Width m_width;
    const Clock::time_point m_start;
    std::size_t m_drawn = 0;
};

#endif
