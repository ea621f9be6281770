#ifndef CHECKERS_TOOLS_CLI_MATCHSESSION_H
#define CHECKERS_TOOLS_CLI_MATCHSESSION_H

#include "command.h"
#include "fileoutput.h"
#include "tools/match/matchfaults.h"
#include "tools/match/matchfigures.h"
#include "tools/match/matchfile.h"
#include "tools/match/opening.h"
#include "tools/match/progressline.h"
#include "tools/match/reportschedule.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/referee/protocollog.h"

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CMatchGame;
class CMatchPlayer;
class CMatchPlan;
class CPlayerEntry;

// One run of match: the engines started once to learn their names, the
// games played on the runner's jobs and handed on in order, each written,
// counted and reported as it comes, and the summary. What the run cannot do
// ends it with one line, a status of 1 where its input or output failed.
class CMatchSession
{
public:
    CMatchSession(const CCommand::Call &call, CMatchPlan &plan);
    CMatchSession(const CMatchSession &) = delete;
    CMatchSession &operator=(const CMatchSession &) = delete;

    // As CCommand::run.
    bool run(std::string &error);

private:
    bool prepare(std::string &error);
    // Reads back the games --pdn-file holds and opens it to write on.
    bool openFile(std::string &error);
    void play();
    void handOn(const CMatchGame &game);
    void showProgress(int done);
    bool isHealthy() const;
    bool goesOn() const;
    bool summarise(std::string &error);
    void writeGame(const CMatchGame &game);
    // More games at once than processors would make the players wait for
    // one: on a clock, that time is theirs.
    void warnOfUnfairClocks() const;
    std::shared_ptr<CMatchPlayer> makePlayer(const CPlayerEntry &player, int job) const;
    bool identify(CPlayerEntry &player, std::string &error);
    static std::string today();

    const CCommand::Call &m_call;
    CMatchPlan &m_plan;
    std::vector<COpening> m_openings;
    CProtocolLog m_log;
    CProtocolLog *m_logged = nullptr;
    CMatchFile m_file;
    std::optional<CFileOutput> m_fileOutput;
    std::unique_ptr<std::ostream> m_fileStream;
    // Where the games go: the file, or standard output.
    std::ostream *m_pdn;
    CPdnWriter::Tags m_tags;
    // Once the file's games are read back.
    std::optional<CMatchFigures> m_figures;
    CMatchFaults m_faults;
    std::optional<CProgressLine> m_progress;
    std::optional<CReportSchedule> m_reports;
    int m_played = 0;
    long long m_steps = 0;
    // The engine that could not be started again, and why.
    std::string m_gone;
};

#endif
