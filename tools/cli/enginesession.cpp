#include "enginesession.h"

#include "engine/search.h"
#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"
#include "tools/protocol/protocolstep.h"
#include "tools/protocol/protocolwords.h"

#include <algorithm>

CEngineSession::CEngineSession()
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
    if (command == Words::Quit)
        m_quit = true;
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
    if (!CNumberText::parse(line.value("depth"), depth) || depth < 1 || depth > MaxDepth)
        return error("depth must be a whole number from 1 to " + std::to_string(MaxDepth) + ", not "
                     + CQuotedText::quote(line.value("depth")));
    m_depth = depth;
    return {};
}

std::vector<CProtocolLine> CEngineSession::think(const CProtocolLine &line) const
{
    std::uint32_t seed = 0;
    if (line.has("seed") && !CNumberText::parse(line.value("seed"), seed))
        return error("seed must be a whole number from 0 to 4294967295, not "
                     + CQuotedText::quote(line.value("seed")));
    if (!m_hasPosition)
        return error("no position: the last one could not be taken");
    if (m_position.settledResult() != CPosition::NoResult)
        return error("the game is over");
    int from, to, captured = -1;
    findBestMove(m_position, m_depth, seed, from, to);
    m_position.isLegalMove(from, to, captured);
    return { CProtocolLine(CProtocolWords::Done)
                 .with("move", CProtocolStep::format(from, to, captured != -1)) };
}

std::vector<CProtocolLine> CEngineSession::error(const std::string &message)
{
    // The message may quote any byte the referee sent: escaped, it stays
    // one line of printable text.
    return {
        CProtocolLine(CProtocolWords::Error).with("message", CQuotedText::printable(message))
    };
}
