#include "matchside.h"

#include "tools/match/playername.h"
#include "tools/match/searchplayer.h"
#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"
#include "tools/referee/engineplayer.h"

#include <QProcess>

namespace {

const std::pair<const char *, int> Skills[] = { { "poor", 1 }, { "medium", 3 }, { "good", 5 } };

} // namespace

bool CMatchSide::read(const std::string &text, const std::string &what, std::string &error)
{
    m_text = text;
    const std::string::size_type at = text.find('@');
    if (at == std::string::npos)
        return readDepth(text, what, error);
    m_command = text.substr(at + 1);
    if (!readDepth(text.substr(0, at), what, error))
        return false;
    if (QProcess::splitCommand(QString::fromStdString(m_command)).isEmpty()) {
        error = what + " names no engine command after its depth: " + CQuotedText::quote(text);
        return false;
    }
    // The Event tag quotes an argument that holds a blank in single quotes.
    if (m_command.find('\'') != std::string::npos) {
        error = what + "'s engine command may not hold a single quote: " + CQuotedText::quote(text);
        return false;
    }
    return true;
}

bool CMatchSide::readDepth(const std::string &text, const std::string &what, std::string &error)
{
    for (const auto &[skill, depth] : Skills) {
        if (text == skill && m_command.empty()) {
            m_depth = depth;
            return true;
        }
    }
    if (CNumberText::parse(text, m_depth) && m_depth >= 1 && m_depth <= MaxDepth)
        return true;
    error = what + " must be poor, medium, good, a depth from 1 to " + std::to_string(MaxDepth)
        + " or DEPTH@COMMAND, not " + CQuotedText::quote(m_text);
    return false;
}

bool CMatchSide::probe(std::chrono::milliseconds timeout, std::string &error)
{
    if (m_command.empty())
        return true;
    CEnginePlayer process(m_command, m_depth, timeout);
    std::string detail;
    if (process.start(detail) != CMatchPlayer::Fault::None) {
        error = "the engine " + CQuotedText::quote(m_command) + " cannot play: " + detail;
        return false;
    }
    m_name = process.name().empty() ? m_command : process.name();
    m_version = process.version();
    return true;
}

std::string CMatchSide::label() const
{
    return m_command.empty() ? m_text : CPlayerName::engineLabel(m_name, m_depth);
}

std::string CMatchSide::tag() const
{
    return m_command.empty() ? CPlayerName::searchTag(m_text, m_depth)
                             : CPlayerName::engineTag(m_name, m_version, m_depth);
}

std::shared_ptr<CMatchPlayer> CMatchSide::makePlayer(std::chrono::milliseconds timeout) const
{
    if (m_command.empty())
        return std::make_shared<CSearchPlayer>(m_depth);
    return std::make_shared<CEnginePlayer>(m_command, m_depth, timeout);
}
