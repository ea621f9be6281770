#ifndef CHECKERS_TOOLS_PROGRESSLINE_H
#define CHECKERS_TOOLS_PROGRESSLINE_H

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

// A line on a terminal that shows how far a run of games has come, redrawn
// in place: games done of the total, the time elapsed and an estimate of
// the time left.
class CProgressLine
{
public:
    using Clock = std::chrono::steady_clock;

    CProgressLine(std::ostream &out, int total);

    void show(int done);
    // Leaves the line empty, the cursor at its start.
    void clear();

private:
    // m:ss, or h:mm:ss from an hour on.
    static std::string duration(double seconds);
    void draw(const std::string &text);

    std::ostream &m_out;
    const int m_total;
    const Clock::time_point m_start;
    std::size_t m_width = 0;
};

#endif
