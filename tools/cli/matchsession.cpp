#include "matchsession.h"

#include "interruption.h"
#include "tools/match/matchgame.h"
#include "tools/match/matchplan.h"
#include "tools/match/matchrunner.h"
#include "tools/match/matchsummary.h"
#include "tools/match/searchplayer.h"
#include "tools/position/quotedtext.h"
#include "tools/referee/engineplayer.h"

#include <cstring>
#include <ctime>
#include <unistd.h>

CMatchSession::CMatchSession(const CCommand::Call &call, CMatchPlan &plan)
    : m_call(call)
    , m_plan(plan)
    , m_file(plan)
    , m_pdn(&call.out)
    , m_tags { "", "?", today(), 0, "", "", "", "" }
{ }

bool CMatchSession::run(std::string &error)
{
    if (!prepare(error))
        return false;
    const auto start = std::chrono::steady_clock::now();
    play();
    if (m_progress)
        m_progress->clear();
    if (m_fileOutput && !m_pdn->good()) {
        error = "cannot write " + CQuotedText::quote(m_plan.pdnFile()) + ": "
            + std::strerror(m_fileOutput->error());
        m_call.failedOutside = true;
        return false;
    }
    if (!isHealthy())
        return true;
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string middleLine = m_played > 0
        ? CMatchSummary::speedLine(m_played, m_steps, seconds)
        : CMatchSummary::countLine(m_figures->score().games(), m_plan.games());
    (m_plan.writesPdn() ? m_call.err : m_call.out)
        << CMatchSummary(m_plan.a().label(), m_plan.b().label())
               .text(*m_figures, middleLine, m_faults);
    m_call.failedOutside = !m_gone.empty();
    error = m_gone;
    return m_gone.empty();
}

// Everything that can refuse the match does so before any game.
bool CMatchSession::prepare(std::string &error)
{
    if (!m_plan.loadOpenings(m_openings, error))
        return false;
    if (!m_plan.logPath().empty()) {
        m_call.failedOutside = !m_log.open(m_plan.logPath(), error);
        if (m_call.failedOutside)
            return false;
        m_logged = &m_log;
    }
    if (!identify(m_plan.a(), error) || !identify(m_plan.b(), error) || !m_plan.checkNames(error)
        || !m_plan.giveParams(error))
        return false;
    if (!m_plan.pdnFile().empty() && !openFile(error))
        return false;
    warnOfUnfairClocks();
    m_tags.event = m_plan.event();
    if (m_plan.timeControl())
        m_tags.timeControl = m_plan.timeControl()->tagValue();
    m_figures.emplace(m_file.figures());
    m_faults = m_file.faults();
    if (m_call.errIsTerminal)
        m_progress.emplace(m_call.err, m_plan.last() - m_file.next() + 1,
                           [] { return CProgressLine::terminalWidth(STDERR_FILENO); });
    if (m_plan.reportEvery() > 0)
        m_reports.emplace(m_plan.reportEvery(), *m_figures);
    return true;
}

bool CMatchSession::openFile(std::string &error)
{
    switch (m_file.read(error)) {
    case CMatchFile::Outcome::Refused:
        return false;
    case CMatchFile::Outcome::Failed:
        m_call.failedOutside = true;
        return false;
    case CMatchFile::Outcome::Read:
        break;
    }
    m_call.failedOutside = !m_file.openToAppend(error);
    if (m_call.failedOutside)
        return false;
    m_fileOutput.emplace(m_file.descriptor(), true);
    m_fileStream = std::make_unique<std::ostream>(&*m_fileOutput);
    m_pdn = m_fileStream.get();
    return true;
}

// A match that has ended already only sums up again. A failed write or
// Ctrl-C ends it after a whole game; the command line says which.
void CMatchSession::play()
{
    const int games = m_plan.last() - m_file.next() + 1;
    if (games <= 0 || !goesOn())
        return;
    const CInterruption interruption;
    const auto makeSeats = [this](int job) {
        return CMatchRunner::Seats { makePlayer(m_plan.a(), job), makePlayer(m_plan.b(), job) };
    };
    CMatchRunner(
        CMatchRunner::seated(makeSeats, m_plan.seed(), std::move(m_openings), m_plan.clock()))
        .run(
            m_file.next(), games, m_plan.jobs(), [this](const CMatchGame &game) { handOn(game); },
            [this](int done) { showProgress(done); }, [this] { return goesOn(); });
}

void CMatchSession::handOn(const CMatchGame &game)
{
    // Faults after the test's stop are no more counted than the games.
    if (m_figures->add(game.number(), game.halfPointsOfA())
        && game.fault() != CMatchPlayer::Fault::None)
        m_faults.add(game.faultOfA(), game.fault());
    // The lines may go to the same terminal: not over the progress line.
    if (m_reports && m_reports->isDue(*m_figures)) {
        if (m_progress)
            m_progress->clear();
        m_call.err << CMatchSummary::statusLine(*m_figures) << '\n';
    }
    ++m_played;
    m_steps += static_cast<long long>(game.steps().size());
    if (!game.goneReason().empty())
        m_gone = (game.faultOfA() ? m_plan.a() : m_plan.b()).label()
            + " could not be started again, so the match ends: " + game.goneReason();
    if (!m_plan.writesPdn())
        return;
    if (m_progress)
        m_progress->clear();
    writeGame(game);
}

// The running figures only with --report, so that the line stays as it was
// without it.
void CMatchSession::showProgress(int done)
{
    if (m_progress)
        m_progress->show(done,
                         m_reports ? CMatchSummary::progressFields(*m_figures)
                                   : std::vector<std::string>());
}

bool CMatchSession::isHealthy() const
{
    return m_pdn->good() && !CInterruption::requested();
}

// The test ends the match after a whole pair; a shard cannot know whether
// the match stopped before it.
bool CMatchSession::goesOn() const
{
    return isHealthy() && m_gone.empty() && (m_plan.isShard() || !m_figures->isDecided());
}

void CMatchSession::writeGame(const CMatchGame &game)
{
    CPdnWriter::Tags tags = m_tags;
    tags.round = game.number();
    tags.fen = game.fen();
    tags.termination = game.termination();
    tags.white = m_plan.a().tag();
    tags.black = m_plan.b().tag();
    if (!game.seat().aIsWhite())
        std::swap(tags.white, tags.black);
    *m_pdn << (game.number() > 1 ? "\n" : "")
           << CPdnWriter::write(tags, game.steps(), game.result(), game.comments()) << std::flush;
}

void CMatchSession::warnOfUnfairClocks() const
{
    const int processors = CMatchPlan::processors();
    if (m_plan.timeControl() && m_plan.jobs() > processors)
        m_call.err << "checkers-cli: warning: " << m_plan.jobs() << " jobs on " << processors
                   << " processors make the clocks unfair\n";
}

std::shared_ptr<CMatchPlayer> CMatchSession::makePlayer(const CPlayerEntry &player, int job) const
{
    if (!player.isEngine())
        return std::make_shared<CSearchPlayer>(player.depth());
    auto engine = std::make_shared<CEnginePlayer>(player, m_plan.timeout());
    if (m_logged != nullptr)
        engine->logTo(*m_logged, job, player);
    return engine;
}

// Starts an engine once to learn its name; nothing for the built-in player.
bool CMatchSession::identify(CPlayerEntry &player, std::string &error)
{
    return !player.isEngine() || CEnginePlayer::identify(player, m_plan.timeout(), m_logged, error);
}

std::string CMatchSession::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}
