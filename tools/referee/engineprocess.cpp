#include "engineprocess.h"

#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"
#include "tools/protocol/protocolstep.h"

#include <QByteArrayView>
#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// How long a program that was asked to quit may take before it is killed.
constexpr std::chrono::milliseconds QuitGrace(500);
// How often a wait looks at the stop flag.
constexpr int StopPoll = 100;
// The greeting cannot be stopped: it comes before any game.
const std::atomic<bool> Never { false };

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left
        = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
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

CEngineProcess::CEngineProcess(std::string command, std::chrono::milliseconds timeout)
    : m_command(std::move(command))
    , m_timeout(timeout)
{ }

CEngineProcess::~CEngineProcess()
{
    end();
}

CEngineProcess::Fault CEngineProcess::start(std::string &detail)
{
    end();
    const QStringList words = QProcess::splitCommand(QString::fromStdString(m_command));
    if (words.isEmpty())
        return fail(Fault::Crash, detail, "the command is empty");
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(words.first());
    m_process->setArguments(words.mid(1));
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->setChildProcessModifier([] { setpgid(0, 0); });
    m_outputClosed = false;
    // Emitted from within the waits, on this thread.
    QObject::connect(m_process.get(), &QProcess::readChannelFinished,
                     [this] { m_outputClosed = true; });
    m_process->start();
    if (!m_process->waitForStarted(static_cast<int>(m_timeout.count())))
        return fail(Fault::Crash, detail,
                    "cannot start: " + m_process->errorString().toStdString());
    m_group = static_cast<pid_t>(m_process->processId());
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

CEngineProcess::Fault CEngineProcess::think(const CGameState &position, int depth,
                                            std::uint32_t seed, const std::atomic<bool> &stop,
                                            int &from, int &to, std::string &detail)
{
    Fault fault = send(CProtocolLine("pos").with("pos", CPositionText::format(position)), detail);
    if (fault == Fault::None)
        fault = send(CProtocolLine("level").with("depth", std::to_string(depth)), detail);
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

void CEngineProcess::end()
{
    if (!m_process)
        return;
    if (m_process->state() == QProcess::Running) {
        m_process->write("quit\n");
        m_process->waitForFinished(static_cast<int>(QuitGrace.count()));
    }
    // Whatever the engine started is in its group: end it all.
    if (m_group > 0)
        kill(-m_group, SIGKILL);
    m_process->waitForFinished(-1);
    m_process.reset();
    m_group = 0;
    m_pending.clear();
}

bool CEngineProcess::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

CEngineProcess::Fault CEngineProcess::send(const CProtocolLine &line, std::string &detail)
{
    if (!isRunning())
        return fail(Fault::Crash, detail, "the engine has ended");
    m_process->write((line.text() + '\n').c_str());
    return Fault::None;
}

CEngineProcess::Fault CEngineProcess::await(std::initializer_list<const char *> expected,
                                            const std::atomic<bool> &stop, CProtocolLine &line,
                                            std::string &detail)
{
    const Clock::time_point deadline = Clock::now() + m_timeout;
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

CEngineProcess::Fault CEngineProcess::readLine(Clock::time_point deadline,
                                               const std::atomic<bool> &stop, std::string &text,
                                               std::string &detail)
{
    for (;;) {
        const std::size_t end = m_pending.find('\n');
        if (end != std::string::npos && end <= CProtocolLine::MaxLength) {
            text = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            return isText(text) ? Fault::None
                                : fail(Fault::Broken, detail, "a line not in text: " + shown(text));
        }
        if (m_pending.size() > CProtocolLine::MaxLength)
            return fail(Fault::Broken, detail,
                        "a line over " + std::to_string(CProtocolLine::MaxLength)
                            + " bytes: " + shown(m_pending));
        if (millisecondsLeft(deadline) == 0 || stop)
            return fail(Fault::Timeout, detail, "no answer in time");
        // Data, or the process ended or closed its output, or a poll ran out.
        if (!m_process->waitForReadyRead(std::min(millisecondsLeft(deadline), StopPoll))
            && (m_outputClosed || !isRunning()))
            return fail(Fault::Crash, detail, "the engine has ended or closed its output");
        m_pending += m_process->readAllStandardOutput().toStdString();
    }
}

CEngineProcess::Fault CEngineProcess::fail(Fault fault, std::string &detail, const std::string &why)
{
    detail = why;
    end();
    return fault;
}
