#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPROCESS_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPROCESS_H

#include "tools/match/matchplayer.h"
#include "tools/protocol/protocolline.h"

#include <QProcess>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>

class CGameState;

// One engine program, started from a command line and spoken to over the
// engine protocol, with a time limit on every answer. It runs in a process
// group of its own, so that a terminal's Ctrl-C reaches only the referee,
// and ending it ends whatever it started.
class CEngineProcess
{
public:
    using Fault = CMatchPlayer::Fault;

    CEngineProcess(std::string command, std::chrono::milliseconds timeout);
    ~CEngineProcess();
    CEngineProcess(const CEngineProcess &) = delete;
    CEngineProcess &operator=(const CEngineProcess &) = delete;

    // Starts the program and greets it: hub until wait, init until ready.
    // On failure detail says why in one line and the process is ended.
    Fault start(std::string &detail);
    // Asks for one step; from and to are what the engine named, squares 0
    // to 31, which the caller checks against the rules. Once stop is set it
    // waits no longer: the engine is ended and the wait counts as a
    // time-out.
    Fault think(const CGameState &position, int depth, std::uint32_t seed,
                const std::atomic<bool> &stop, int &from, int &to, std::string &detail);
    // Ends the process and its group.
    void end();
    bool isRunning() const;

    // What the engine called itself in its id line.
    const std::string &name() const { return m_name; }
    const std::string &version() const { return m_version; }

private:
    Fault send(const CProtocolLine &line, std::string &detail);
    // The next line whose first word is one of expected, passing over the
    // lines whose word the referee does not know.
    Fault await(std::initializer_list<const char *> expected, const std::atomic<bool> &stop,
                CProtocolLine &line, std::string &detail);
    Fault readLine(std::chrono::steady_clock::time_point deadline, const std::atomic<bool> &stop,
                   std::string &text, std::string &detail);
    Fault fail(Fault fault, std::string &detail, const std::string &why);

    const std::string m_command;
    const std::chrono::milliseconds m_timeout;
    std::unique_ptr<QProcess> m_process;
    // The process's id, which names its group too.
    pid_t m_group = 0;
    std::string m_pending;
    bool m_outputClosed = false;
    std::string m_name;
    std::string m_version;
};

#endif
