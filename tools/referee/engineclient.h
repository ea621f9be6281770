#ifndef CHECKERS_TOOLS_REFEREE_ENGINECLIENT_H
#define CHECKERS_TOOLS_REFEREE_ENGINECLIENT_H

#include "engineprocess.h"
#include "protocollog.h"
#include "tools/match/matchplayer.h"
#include "tools/protocol/protocolline.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CGameState;

// The referee's side of the engine protocol with one engine program: the
// greeting, then a position, a level and a go for every step asked of it,
// with a time limit on every answer. What the process does and what the
// engine answers become the match's faults.
class CEngineClient
{
public:
    using Fault = CMatchPlayer::Fault;
    // KEY and VALUE of each parameter to set.
    using Parameters = std::vector<std::pair<std::string, std::string>>;

    // Without a clock, every answer may take up to timeout.
    CEngineClient(std::vector<std::string> words, std::chrono::milliseconds timeout);
    ~CEngineClient();
    CEngineClient(const CEngineClient &) = delete;
    CEngineClient &operator=(const CEngineClient &) = delete;

    // Starts the program and greets it: hub until wait, the parameters,
    // init until ready. On failure detail says why in one line and the
    // process is ended.
    Fault start(std::string &detail);
    // Asks for one step at depth, or on the ask's clock with depth as a cap,
    // and times it from go to done. The answer's step is what the engine
    // named, which the caller checks against the rules. Once stop is set it
    // waits no longer: the engine is ended and the wait counts as a
    // time-out.
    Fault think(const CMatchPlayer::Ask &ask, int depth, const std::atomic<bool> &stop,
                CMatchPlayer::Answer &answer);
    // Writes every line sent and received to log, as job's engine name.
    void logTo(CProtocolLog &log, int job, std::string name);
    // Asks the engine to quit, then ends its process and whatever it
    // started.
    void end();
    bool isRunning() const { return m_process.isRunning(); }

    // What the engine called itself in its id line.
    const std::string &name() const { return m_name; }
    const std::string &version() const { return m_version; }
    // The parameters it listed in its greeting, by KEY.
    const std::vector<std::string> &listedParameters() const { return m_listed; }
    // Those to set at each start.
    void setParameters(Parameters parameters) { m_parameters = std::move(parameters); }

private:
    // What came when the client looked for an answer.
    enum class Answer { Reply, Fault, None };

    static CProtocolLine level(const CMatchPlayer::Ask &ask, int depth);
    // What the greeting tells of the engine: its id line or a parameter.
    void learn(const CProtocolLine &line);
    Fault sendParameters(std::string &detail);
    Fault send(const CProtocolLine &line, std::string &detail);
    // The next line whose first word is one of expected; a reply of
    // another kind is one nobody asked for, and broken.
    Fault await(std::initializer_list<const char *> expected,
                CEngineProcess::Clock::time_point deadline, const std::atomic<bool> &stop,
                CProtocolLine &line, std::string &detail);
    // Between two asks the engine owes nothing: a reply waiting then is
    // one nobody asked for.
    Fault checkQuiet(std::string &detail);
    // The next line whose first word the referee knows, passing over the
    // others whatever follows their word; None once the deadline passes.
    Answer receive(CEngineProcess::Clock::time_point deadline, const std::atomic<bool> &stop,
                   CProtocolLine &line, Fault &fault, std::string &detail);
    void heed(const CProtocolLine &line);
    Fault fail(Fault fault, std::string &detail, const std::string &why);

    CEngineProcess m_process;
    const std::chrono::milliseconds m_timeout;
    // When the last line came, or the wait for it ended: an answer is
    // timed to it, not to what the referee did after.
    CEngineProcess::Clock::time_point m_heard;
    // The depth and score of the engine's last info line since go; a depth
    // of 0 while it said none.
    int m_depthSaid = 0;
    int m_scoreSaid = 0;
    CProtocolLog *m_log = nullptr;
    int m_job = 0;
    std::string m_logName;
    std::string m_name;
    std::string m_version;
    std::vector<std::string> m_listed;
    Parameters m_parameters;
};

#endif
