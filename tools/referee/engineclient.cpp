#include "engineclient.h"

#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"
#include "tools/protocol/protocolstep.h"
#include "tools/protocol/protocolwords.h"

#include <QByteArrayView>

namespace {

using Words = CProtocolWords;

// How long a program that was asked to quit may take before it is killed.
constexpr std::chrono::milliseconds QuitGrace(500);
// The greeting cannot be stopped: it comes before any game.
const std::atomic<bool> Never { false };

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

CEngineClient::CEngineClient(std::vector<std::string> words, std::chrono::milliseconds timeout)
    : m_process(std::move(words), CProtocolLine::MaxLength)
    , m_timeout(timeout)
{ }

void CEngineClient::logTo(CProtocolLog &log, int job, std::string name)
{
    m_log = &log;
    m_job = job;
    m_logName = std::move(name);
}

CEngineClient::~CEngineClient()
{
    end();
}

CEngineClient::Fault CEngineClient::start(std::string &detail)
{
    end();
    std::string reason;
    if (!m_process.start(reason))
        return fail(Fault::Crash, detail, "cannot start: " + reason);
    CProtocolLine line;
    m_listed.clear();
    Fault fault = send(CProtocolLine(Words::Hub), detail);
    while (fault == Fault::None
           && (fault = await({ Words::Id, Words::Param, Words::Wait },
                             CEngineProcess::Clock::now() + m_timeout, Never, line, detail))
               == Fault::None
           && line.command() != Words::Wait)
        learn(line);
    if (fault == Fault::None)
        fault = sendParameters(detail);
    if (fault == Fault::None)
        fault = send(CProtocolLine(Words::Init), detail);
    if (fault == Fault::None)
        fault = await({ Words::Ready }, CEngineProcess::Clock::now() + m_timeout, Never, line,
                      detail);
    return fault;
}

CEngineClient::Fault CEngineClient::think(const CMatchPlayer::Ask &ask, int depth,
                                          const std::atomic<bool> &stop,
                                          CMatchPlayer::Answer &answer)
{
    std::string &detail = answer.detail;
    Fault fault = checkQuiet(detail);
    m_depthSaid = 0;
    if (fault == Fault::None)
        fault = send(CProtocolLine(Words::Pos).with("pos", CPositionText::format(ask.position)),
                     detail);
    if (fault == Fault::None)
        fault = send(level(ask, depth), detail);
    const auto start = CEngineProcess::Clock::now();
    if (fault == Fault::None)
        fault = send(CProtocolLine(Words::Go).with("think").with("seed", std::to_string(ask.seed)),
                     detail);
    // On a clock, the clock ends the wait: past it the answer has lost.
    const auto wait = ask.time ? ask.time->limit + ask.time->grace : m_timeout;
    CProtocolLine line;
    if (fault == Fault::None)
        fault = await({ Words::Done, Words::Error }, start + wait, stop, line, detail);
    answer.elapsed = std::chrono::duration_cast<CMatchPlayer::Duration>(m_heard - start);
    if (fault != Fault::None)
        return fault;
    if (line.command() == Words::Error)
        return fail(Fault::Broken, detail, "error " + shown(line.value("message")));
    if (!CProtocolStep::parse(line.value("move"), answer.from, answer.to))
        return fail(Fault::Broken, detail, "done without one step: " + shown(line.value("move")));
    answer.depth = m_depthSaid;
    answer.score = m_scoreSaid;
    // An engine answers in order: a reply before the pong came with the
    // answer, and nobody asked for it.
    fault = send(CProtocolLine(Words::Ping), detail);
    return fault == Fault::None
        ? await({ Words::Pong }, CEngineProcess::Clock::now() + m_timeout, stop, line, detail)
        : fault;
}

// A depth alone, as engines without a clock know it; on a clock the time
// per step or the clock with its increment, the depth as a cap.
CProtocolLine CEngineClient::level(const CMatchPlayer::Ask &ask, int depth)
{
    CProtocolLine line(Words::Level);
    const auto seconds = [](CMatchPlayer::Duration duration) {
        return CNumberText::format(static_cast<double>(duration.count()) / 1000);
    };
    if (ask.time && ask.time->perStep)
        line.with("move-time", seconds(ask.time->limit));
    else if (ask.time)
        line.with("time", seconds(ask.time->limit)).with("inc", seconds(ask.time->increment));
    return line.with("depth", std::to_string(depth));
}

void CEngineClient::learn(const CProtocolLine &line)
{
    if (line.command() == Words::Param) {
        m_listed.push_back(line.value("name"));
        return;
    }
    m_name = line.value("name");
    m_version = line.value("version");
}

CEngineClient::Fault CEngineClient::sendParameters(std::string &detail)
{
    Fault fault = Fault::None;
    for (auto parameter = m_parameters.begin();
         fault == Fault::None && parameter != m_parameters.end(); ++parameter)
        fault = send(CProtocolLine(Words::SetParam)
                         .with("name", parameter->first)
                         .with("value", parameter->second),
                     detail);
    return fault;
}

void CEngineClient::end()
{
    if (m_process.isRunning())
        m_process.send(CProtocolLine(Words::Quit).text());
    m_process.end(QuitGrace);
}

CEngineClient::Fault CEngineClient::send(const CProtocolLine &line, std::string &detail)
{
    if (m_log != nullptr)
        m_log->write(m_job, m_logName, true, line.text());
    if (!m_process.send(line.text()))
        return fail(Fault::Crash, detail, m_process.howItEnded());
    return Fault::None;
}

CEngineClient::Fault CEngineClient::await(std::initializer_list<const char *> expected,
                                          CEngineProcess::Clock::time_point deadline,
                                          const std::atomic<bool> &stop, CProtocolLine &line,
                                          std::string &detail)
{
    Fault fault = Fault::None;
    switch (receive(deadline, stop, line, fault, detail)) {
    case Answer::Fault:
        return fault;
    case Answer::None:
        return fail(Fault::Timeout, detail, "no answer in time");
    case Answer::Reply:
        break;
    }
    for (const char *word : expected) {
        if (line.command() == word)
            return Fault::None;
    }
    return fail(Fault::Broken, detail, "an answer nobody asked for: " + shown(line.text()));
}

CEngineClient::Fault CEngineClient::checkQuiet(std::string &detail)
{
    CProtocolLine line;
    Fault fault = Fault::None;
    while (m_process.hasOutput()) {
        switch (receive(CEngineProcess::Clock::now(), Never, line, fault, detail)) {
        case Answer::Fault:
            return fault;
        case Answer::Reply:
            return fail(Fault::Broken, detail, "an answer nobody asked for: " + shown(line.text()));
        case Answer::None:
            return Fault::None;
        }
    }
    return Fault::None;
}

CEngineClient::Answer CEngineClient::receive(CEngineProcess::Clock::time_point deadline,
                                             const std::atomic<bool> &stop, CProtocolLine &line,
                                             Fault &fault, std::string &detail)
{
    const auto broken = [&](const std::string &why) {
        fault = fail(Fault::Broken, detail, why);
        return Answer::Fault;
    };
    for (;;) {
        std::string text;
        const CEngineProcess::Status status = m_process.readLine(deadline, stop, text);
        m_heard = CEngineProcess::Clock::now();
        switch (status) {
        case CEngineProcess::Status::TimedOut:
        case CEngineProcess::Status::Stopped:
            return Answer::None;
        case CEngineProcess::Status::Closed:
            fault = fail(Fault::Crash, detail, m_process.howItEnded());
            return Answer::Fault;
        case CEngineProcess::Status::TooLong:
            return broken("a line over " + std::to_string(CProtocolLine::MaxLength)
                          + " bytes: " + shown(text));
        case CEngineProcess::Status::Line:
            break;
        }
        if (m_log != nullptr)
            m_log->write(m_job, m_logName, false, text);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (!isText(text))
            return broken("a line not in text: " + shown(text));
        std::string reason;
        const bool read = CProtocolLine::parse(text, line, reason);
        if (read && line.command() == Words::Info)
            heed(line);
        if (!Words::isReply(line.command()))
            continue;
        if (!read)
            return broken(reason + ": " + shown(text));
        return Answer::Reply;
    }
}

// What the engine says of its search, for the PDN's clock comments: an
// info line that does not read, or says less, is passed over all the same.
void CEngineClient::heed(const CProtocolLine &line)
{
    int depth, score;
    if (CNumberText::parse(line.value("depth"), depth) && depth > 0
        && CNumberText::parse(line.value("score"), score)) {
        m_depthSaid = depth;
        m_scoreSaid = score;
    }
}

CEngineClient::Fault CEngineClient::fail(Fault fault, std::string &detail, const std::string &why)
{
    detail = why;
    end();
    return fault;
}
