#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPLAYER_H

#include "engineprocess.h"
#include "tools/match/matchplayer.h"
#include "tools/protocol/protocolline.h"

#include <chrono>
#include <initializer_list>
#include <string>

// An engine program as a match player at a fixed depth, spoken to over the
// engine protocol with a time limit on every answer. Its process is
// started at its first step and kept from game to game; after a crash or a
// time-out it is started again for the next step asked of it, and a
// process that cannot be started loses the game it was to play.
class CEnginePlayer : public CMatchPlayer
{
public:
    CEnginePlayer(const std::string &command, int depth, std::chrono::milliseconds timeout);
    ~CEnginePlayer() override;
    CEnginePlayer(const CEnginePlayer &) = delete;
    CEnginePlayer &operator=(const CEnginePlayer &) = delete;

    // Starts the program and greets it: hub until wait, init until ready.
    // On failure detail says why in one line and the process is ended.
    Fault start(std::string &detail);
    bool isRunning() const { return m_process.isRunning(); }
    // What the engine called itself in its id line.
    const std::string &name() const { return m_name; }
    const std::string &version() const { return m_version; }

    Fault chooseStep(const CGameState &position, std::uint32_t seed, const std::atomic<bool> &stop,
                     int &from, int &to, std::string &detail) override;

private:
    Fault send(const CProtocolLine &line, std::string &detail);
    // The next line whose first word is one of expected, passing over the
    // lines whose word the referee does not know.
    Fault await(std::initializer_list<const char *> expected, const std::atomic<bool> &stop,
                CProtocolLine &line, std::string &detail);
    Fault readLine(CEngineProcess::Clock::time_point deadline, const std::atomic<bool> &stop,
                   std::string &text, std::string &detail);
    Fault fail(Fault fault, std::string &detail, const std::string &why);
    // Asks the program to quit, then ends it.
    void end();

    CEngineProcess m_process;
    const int m_depth;
    const std::chrono::milliseconds m_timeout;
    std::string m_name;
    std::string m_version;
};

#endif
