#include "enginesession.h"

#include "engine/search.h"
#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"
#include "tools/protocol/protocolstep.h"
#include "tools/protocol/protocolwords.h"

#include <algorithm>

CEngineSession::CEngineSession(CEngineOutput &output)
    : m_search(output)
{
    m_position.reset();
}

std::vector<CProtocolLine> CEngineSession::answer(const std::string &text)
{
    std::string reason;
    if (!CProtocolLine::isLine(text, reason))
        return error(reason);
    CProtocolLine line;
    const bool read = CProtocolLine::parse(text, line, reason);
    // The first word decides: one the engine does not know is passed over
    // whatever follows it, so that the protocol can grow.
    if (!CProtocolWords::isCommand(line.command()))
        return {};
    // What the search runs on stays as it was until it ends.
    const bool changesSearch = line.command() == CProtocolWords::Pos
        || line.command() == CProtocolWords::Level || line.command() == CProtocolWords::Go;
    if (changesSearch && m_search.isRunning())
        return error("a search is running: stop it first");
    if (!read) {
        // A position line that does not read is a position refused.
        if (line.command() == CProtocolWords::Pos)
            m_hasPosition = false;
        return error(reason);
    }
    return answer(line);
}

std::vector<CProtocolLine> CEngineSession::answer(const CProtocolLine &line)
{
    using Words = CProtocolWords;
    const std::string &command = line.command();
    if (command == Words::Hub)
        return {
            CProtocolLine(Words::Id).with("name", "checkers-cli").with("version", CHECKERS_VERSION),
            CProtocolLine(Words::Wait)
        };
    if (command == Words::Init)
        return { CProtocolLine(Words::Ready) };
    if (command == Words::Ping)
        return { CProtocolLine(Words::Pong) };
    if (command == Words::Pos)
        return setPosition(line);
    if (command == Words::Level)
        return setLevel(line);
    if (command == Words::Go)
        return think(line);
    if (command == Words::Stop)
        m_search.stop();
    if (command == Words::Quit) {
        m_search.cancel();
        m_quit = true;
    }
    return {};
}

std::vector<CProtocolLine> CEngineSession::setPosition(const CProtocolLine &line)
{
    m_hasPosition = false;
    CPosition position;
    std::string reason;
    if (!CPositionText::parse(line.value("pos"), position, reason))
        return error("bad position " + CQuotedText::quote(line.value("pos")) + ": " + reason);
    m_position = position;
    if (!playSteps(line.value("moves"), reason))
        return error(reason);
    m_hasPosition = true;
    return {};
}

bool CEngineSession::playSteps(const std::string &steps, std::string &error)
{
    // A tab separates steps as a blank does.
    std::string spaced = steps;
    std::replace(spaced.begin(), spaced.end(), '\t', ' ');
    for (const std::string &step : CPositionText::split(spaced, ' ')) {
        if (step.empty())
            continue;
        int from, to;
        if (!CProtocolStep::parse(step, from, to)) {
            error = "bad step " + CQuotedText::quote(step) + ": write FROM-TO, squares 1 to 32";
            return false;
        }
        if (m_position.settledResult() != CPosition::NoResult) {
            error = "the game is over before " + step;
            return false;
        }
        if (!m_position.makeMove(from, to)) {
            error = "illegal step " + step;
            return false;
        }
    }
    return true;
}

std::vector<CProtocolLine> CEngineSession::setLevel(const CProtocolLine &line)
{
    int depth;
    std::optional<CClockSearch::Level> clock;
    std::string reason;
    if (!readLevel(line, depth, clock, reason))
        return error(reason);
    m_depth = depth;
    m_clock = clock;
    return {};
}

bool CEngineSession::readLevel(const CProtocolLine &line, int &depth,
                               std::optional<CClockSearch::Level> &clock, std::string &error)
{
    const bool moveTime = line.has("move-time");
    const bool clocked = moveTime || line.has("time");
    if (moveTime && line.has("time")) {
        error = "give move-time or time, not both";
        return false;
    }
    if (line.has("inc") && !line.has("time")) {
        error = "inc goes with time";
        return false;
    }
    // On a clock the depth may be left out: the time bounds the search.
    depth = MaxDepth;
    if ((line.has("depth") || !clocked)
        && (!CNumberText::parse(line.value("depth"), depth) || depth < 1 || depth > MaxDepth)) {
        error = "depth must be a whole number from 1 to " + std::to_string(MaxDepth) + ", not "
            + CQuotedText::quote(line.value("depth"));
        return false;
    }
    clock.reset();
    if (!clocked)
        return true;
    CClockSearch::Level level;
    level.maxDepth = depth;
    std::chrono::milliseconds time;
    if (!readSeconds(line, moveTime ? "move-time" : "time", time, error)
        || (line.has("inc") && !readSeconds(line, "inc", level.increment, error)))
        return false;
    (moveTime ? level.moveTime : level.timeLeft) = time;
    clock = level;
    return true;
}

bool CEngineSession::readSeconds(const CProtocolLine &line, const std::string &name,
                                 std::chrono::milliseconds &time, std::string &error)
{
    double seconds;
    if (!CNumberText::parse(line.value(name), seconds) || seconds < 0 || seconds > MaxSeconds) {
        error = name + " must be a number of seconds from 0 to " + std::to_string(MaxSeconds)
            + ", not " + CQuotedText::quote(line.value(name));
        return false;
    }
    time = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::duration<double>(seconds));
    return true;
}

std::vector<CProtocolLine> CEngineSession::think(const CProtocolLine &line)
{
    std::uint32_t seed = 0;
    if (line.has("seed") && !CNumberText::parse(line.value("seed"), seed))
        return error("seed must be a whole number from 0 to 4294967295, not "
                     + CQuotedText::quote(line.value("seed")));
    if (!m_hasPosition)
        return error("no position: the last one could not be taken");
    if (m_position.settledResult() != CPosition::NoResult)
        return error("the game is over");
    if (m_clock) {
        m_search.start(m_position, seed, *m_clock);
        return {};
    }
    int from, to;
    findBestMove(m_position, m_depth, seed, from, to);
    return { CEngineSearch::done(m_position, from, to) };
}

std::vector<CProtocolLine> CEngineSession::error(const std::string &message)
{
    // The message may quote any byte the referee sent: escaped, it stays
    // one line of printable text.
    return {
        CProtocolLine(CProtocolWords::Error).with("message", CQuotedText::printable(message))
    };
}
