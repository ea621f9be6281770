#ifndef CHECKERS_TOOLS_CLI_ENGINESESSION_H
#define CHECKERS_TOOLS_CLI_ENGINESESSION_H

#include "engineoutput.h"
#include "enginesearch.h"

#include "tools/match/clocksearch.h"
#include "tools/position/position.h"
#include "tools/protocol/protocolline.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The engine's side of the protocol: the position and level a referee has
// set, and the answer to each line it sends. Every search starts afresh
// from the line's seed, so no answer depends on an earlier one. A search at
// a fixed depth is answered at once; one on a clock runs on a thread of its
// own that writes its lines to the output, while the session answers the
// lines that come meanwhile.
class CEngineSession
{
public:
    // The depth searched until a level line sets one: the game's Good.
    static constexpr int DefaultDepth = 5;
    static constexpr int MaxDepth = CClockSearch::MaxDepth;
    // The longest time a level line gives, in seconds: a day.
    static constexpr int MaxSeconds = 86400;

    explicit CEngineSession(CEngineOutput &output);

    // The lines that answer one line of text, without its end: none for an
    // empty line or one whose first word it does not know, whatever follows
    // the word; an error for a line that holds a NUL or a CR before its end,
    // or whose arguments do not read.
    std::vector<CProtocolLine> answer(const std::string &text);
    // Whether a quit line has come.
    bool hasQuit() const { return m_quit; }
    // The answer to a line that cannot be taken: the message with every
    // byte outside printable ASCII escaped as \xhh and a backslash as \\.
    static std::vector<CProtocolLine> error(const std::string &message);

private:
    std::vector<CProtocolLine> answer(const CProtocolLine &line);
    std::vector<CProtocolLine> setPosition(const CProtocolLine &line);
    std::vector<CProtocolLine> setLevel(const CProtocolLine &line);
    std::vector<CProtocolLine> think(const CProtocolLine &line);
    bool playSteps(const std::string &steps, std::string &error);
    // Reads the depth, which a clock level may leave out, and the times.
    static bool readLevel(const CProtocolLine &line, int &depth,
                          std::optional<CClockSearch::Level> &clock, std::string &error);
    static bool readSeconds(const CProtocolLine &line, const std::string &name,
                            std::chrono::milliseconds &time, std::string &error);

    CPosition m_position;
    // False after a position line that could not be taken, so that no
    // search runs on a position the referee did not mean.
    bool m_hasPosition = true;
    int m_depth = DefaultDepth;
    // Set by a level line with a time: then go searches on the clock.
    std::optional<CClockSearch::Level> m_clock;
    bool m_quit = false;
    CEngineSearch m_search;
};

#endif
