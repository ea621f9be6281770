#include "engineplayer.h"

#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"
#include "tools/protocol/protocolstep.h"

#include <QByteArrayView>
#include <QProcess>

namespace {

// How long a program that was asked to quit may take before it is killed.
constexpr std::chrono::milliseconds QuitGrace(500);
// The greeting cannot be stopped: it comes before any game.
const std::atomic<bool> Never { false };

std::vector<std::string> wordsOf(const std::string &command)
{
    std::vector<std::string> words;
    for (const QString &word : QProcess::splitCommand(QString::fromStdString(command)))
        words.push_back(word.toStdString());
    return words;
}

// Printable ASCII, tabs and the rest of UTF-8; no control byte.
bool isText(const std::string &text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < ' ' && byte != '\t') || byte == 0x7f)
            return false;
    }
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size())).isValidUtf8();
}

// What an engine wrote, as a message may quote it.
std::string shown(const std::string &text)
{
    return CQuotedText::quote(CQuotedText::printable(text));
}

} // namespace

CEnginePlayer::CEnginePlayer(const std::string &command, int depth,
                             std::chrono::milliseconds timeout)
    : m_process(wordsOf(command), CProtocolLine::MaxLength)
    , m_depth(depth)
    , m_timeout(timeout)
{ }

CEnginePlayer::~CEnginePlayer()
{
    end();
}

CMatchPlayer::Fault CEnginePlayer::start(std::string &detail)
{
    end();
    std::string reason;
    if (!m_process.start(reason))
        return fail(Fault::Crash, detail, "cannot start: " + reason);
    CProtocolLine line;
    Fault fault = send(CProtocolLine("hub"), detail);
    while (fault == Fault::None
           && (fault = await({ "id", "wait" }, Never, line, detail)) == Fault::None
           && line.command() == "id") {
        m_name = line.value("name");
        m_version = line.value("version");
    }
    if (fault == Fault::None)
        fault = send(CProtocolLine("init"), detail);
    if (fault == Fault::None)
        fault = await({ "ready" }, Never, line, detail);
    return fault;
}

CMatchPlayer::Fault CEnginePlayer::chooseStep(const CGameState &position, std::uint32_t seed,
                                              const std::atomic<bool> &stop, int &from, int &to,
                                              std::string &detail)
{
    Fault fault = m_process.isRunning() ? Fault::None : start(detail);
    if (fault == Fault::None)
        fault = send(CProtocolLine("pos").with("pos", CPositionText::format(position)), detail);
    if (fault == Fault::None)
        fault = send(CProtocolLine("level").with("depth", std::to_string(m_depth)), detail);
    if (fault == Fault::None)
        fault = send(CProtocolLine("go").with("think").with("seed", std::to_string(seed)), detail);
    CProtocolLine line;
    if (fault == Fault::None)
        fault = await({ "done", "error" }, stop, line, detail);
    if (fault != Fault::None)
        return fault;
    if (line.command() == "error")
        return fail(Fault::Broken, detail, "error " + shown(line.value("message")));
    if (!CProtocolStep::parse(line.value("move"), from, to))
        return fail(Fault::Broken, detail, "done without one step: " + shown(line.value("move")));
    return Fault::None;
}

CMatchPlayer::Fault CEnginePlayer::send(const CProtocolLine &line, std::string &detail)
{
    if (!m_process.send(line.text()))
        return fail(Fault::Crash, detail, "the engine has ended");
    return Fault::None;
}

CMatchPlayer::Fault CEnginePlayer::await(std::initializer_list<const char *> expected,
                                         const std::atomic<bool> &stop, CProtocolLine &line,
                                         std::string &detail)
{
    const CEngineProcess::Clock::time_point deadline = CEngineProcess::Clock::now() + m_timeout;
    for (;;) {
        std::string text;
        const Fault fault = readLine(deadline, stop, text, detail);
        if (fault != Fault::None)
            return fault;
        std::string reason;
        if (!CProtocolLine::parse(text, line, reason))
            return fail(Fault::Broken, detail, reason + ": " + shown(text));
        for (const char *word : expected) {
            if (line.command() == word)
                return Fault::None;
        }
    }
}

CMatchPlayer::Fault CEnginePlayer::readLine(CEngineProcess::Clock::time_point deadline,
                                            const std::atomic<bool> &stop, std::string &text,
                                            std::string &detail)
{
    switch (m_process.readLine(deadline, stop, text)) {
    case CEngineProcess::Status::Line:
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        return isText(text) ? Fault::None
                            : fail(Fault::Broken, detail, "a line not in text: " + shown(text));
    case CEngineProcess::Status::TooLong:
        return fail(Fault::Broken, detail,
                    "a line over " + std::to_string(CProtocolLine::MaxLength)
                        + " bytes: " + shown(text));
    case CEngineProcess::Status::Closed:
        return fail(Fault::Crash, detail, "the engine has ended or closed its output");
    case CEngineProcess::Status::TimedOut:
    case CEngineProcess::Status::Stopped:
        break;
    }
    return fail(Fault::Timeout, detail, "no answer in time");
}

CMatchPlayer::Fault CEnginePlayer::fail(Fault fault, std::string &detail, const std::string &why)
{
    detail = why;
    end();
    return fault;
}

void CEnginePlayer::end()
{
    const bool asked = m_process.send("quit");
    m_process.end(asked ? QuitGrace : std::chrono::milliseconds(0));
}
