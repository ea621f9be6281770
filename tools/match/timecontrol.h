#ifndef CHECKERS_TOOLS_MATCH_TIMECONTROL_H
#define CHECKERS_TOOLS_MATCH_TIMECONTROL_H

#include <chrono>
#include <string>

// How long the players of a match may think: a clock of BASE seconds for
// each side, INC seconds added after each of its turns (--tc BASE[+INC]), or
// a time for each step (--movetime S). Times are kept in milliseconds.
class CTimeControl
{
public:
    using Duration = std::chrono::milliseconds;

    // Reads --tc's BASE[+INC]; false with one line when it is no clock.
    bool readClock(const std::string &text, std::string &error);
    // Reads --movetime's S.
    bool readMoveTime(const std::string &text, std::string &error);

    bool isMoveTime() const { return m_moveTime; }
    Duration base() const { return m_base; }
    Duration increment() const { return m_increment; }
    // The PDN TimeControl tag's value, "BASE+INC" or "BASE"; empty for a
    // time per step, which the tag has no form for.
    std::string tagValue() const;
    // The option that gives it, "--tc BASE+INC" or "--movetime S", each
    // number in its shortest form.
    std::string option() const;

private:
    static bool readSeconds(const std::string &text, Duration &duration);
    static std::string secondsText(Duration duration);

    bool m_moveTime = false;
    // The clock, or the time per step.
    Duration m_base { 0 };
    Duration m_increment { 0 };
};

#endif
