#include "matchcommand.h"

#include "interruption.h"
#include "tools/match/matchevent.h"
#include "tools/match/matchrunner.h"
#include "tools/match/matchscore.h"
#include "tools/match/progressline.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace {

const std::pair<const char *, int> Skills[] = { { "poor", 1 }, { "medium", 3 }, { "good", 5 } };

} // namespace

std::string CMatchCommand::name() const
{
    return "match";
}

std::vector<std::string> CMatchCommand::parameters() const
{
    return { "A", "B", "GAMES", "SEED" };
}

std::vector<CCommand::Option> CMatchCommand::options() const
{
    return { { "games", "FROM-TO" }, { "jobs", "N", 'j' }, { "pdn", "" } };
}

std::string CMatchCommand::help() const
{
    return "GAMES games (1 to 100000) of the computer against itself from the initial "
           "position, A with White in the odd-numbered games, each move step a search as in the "
           "game. A and B are poor, medium or good (depth 1, 3 or 5) or a depth from 1 to 9. "
           "SEED is 0 to 4294967295.\n"
           "Each search seeds its generator with the low 32 bits of "
           "splitmix64(splitmix64(splitmix64(SEED) + GAME) + PLY), GAME the game's number from 1 "
           "and PLY the move steps already played in it, so the same arguments give the same "
           "games.\n"
           "Prints \"result A B WINS_A WINS_B DRAWS\", A's score with the Elo difference and its "
           "95% likelihood-ratio interval over wins, draws and losses, and the time taken.\n"
           "--games FROM-TO: play only games FROM to TO of the match, the same games in the same "
           "PDN, so that shards of a match can run apart and be added up by tally.\n"
           "--jobs N, -j N: play N games at once, 1 to 256 (default: the number of processors "
           "the tool may run on, as nproc counts them).\n"
           "--pdn (no value): write the games in PDN to standard output, the summary to standard "
           "error; their Date tag is the local date when the match started.";
}

bool CMatchCommand::run(const Call &call, std::string &error) const
{
    const std::string &a = call.arguments[0];
    const std::string &b = call.arguments[1];
    int depthA, depthB, total, first, last, jobs;
    std::uint32_t seed;
    if (!readSkill(a, "A", depthA, error) || !readSkill(b, "B", depthB, error)
        || !readNumber(call.arguments[2], "GAMES", 1, MaxGames, total, error)
        || !readSeed(call.arguments[3], seed, error) || !readRange(call, total, first, last, error)
        || !readJobs(call, jobs, error))
        return false;
    const int games = last - first + 1;
    const bool pdn = call.options.count("pdn") > 0;
    const CPdnWriter::Tags tags { CMatchEvent::text(call.arguments),
                                  "?",
                                  today(),
                                  0,
                                  playerName(a, depthA),
                                  playerName(b, depthB) };
    CMatchScore score;
    long long steps = 0;
    std::optional<CProgressLine> progress;
    if (call.errIsTerminal)
        progress.emplace(call.err, games,
                         [] { return CProgressLine::terminalWidth(STDERR_FILENO); });
    const auto start = std::chrono::steady_clock::now();
    const auto onGame = [&](const CMatchGame &game) {
        score.add(game.result(), CMatchRunner::isWhiteA(game.number()));
        steps += static_cast<long long>(game.steps().size());
        if (!pdn)
            return;
        // The games may go to the same terminal: not over the progress line.
        if (progress)
            progress->clear();
        writeGame(call.out, tags, game);
    };
    const auto onProgress = [&progress](int done) {
        if (progress)
            progress->show(done);
    };
    // A failed write or Ctrl-C ends the match after a whole game; the
    // command line says which.
    const CInterruption interruption;
    const auto goOn = [&call] { return call.out.good() && !CInterruption::requested(); };
    const bool finished
        = CMatchRunner(depthA, depthB, seed).run(first, games, jobs, onGame, onProgress, goOn);
    if (progress)
        progress->clear();
    if (!finished)
        return true;
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    (pdn ? call.err : call.out) << score.resultLine(a, b) << '\n'
                                << score.strengthLine(a, b) << '\n'
                                << speedLine(games, steps, seconds) << '\n';
    return true;
}

void CMatchCommand::writeGame(std::ostream &out, CPdnWriter::Tags tags, const CMatchGame &game)
{
    tags.round = game.number();
    if (!CMatchRunner::isWhiteA(game.number()))
        std::swap(tags.white, tags.black);
    out << (game.number() > 1 ? "\n" : "") << CPdnWriter::write(tags, game.steps(), game.result())
        << std::flush;
}

std::string CMatchCommand::speedLine(int games, long long steps, double seconds)
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "%d game%s, %lld move steps in %.2f s: %.2f games and %.0f move steps per second",
                  games, games == 1 ? "" : "s", steps, seconds, games / seconds, steps / seconds);
    return text;
}

bool CMatchCommand::readSkill(const std::string &text, const std::string &what, int &depth,
                              std::string &error)
{
    for (const auto &[skill, skillDepth] : Skills) {
        if (text == skill) {
            depth = skillDepth;
            return true;
        }
    }
    int number;
    if (CNumberText::parse(text, number) && number >= 1 && number <= MaxDepth) {
        depth = number;
        return true;
    }
    error = what + " must be poor, medium, good or a depth from 1 to " + std::to_string(MaxDepth)
        + ", not " + CQuotedText::quote(text);
    return false;
}

// All the games unless --games names some.
bool CMatchCommand::readRange(const Call &call, int total, int &first, int &last,
                              std::string &error)
{
    const auto given = call.options.find("games");
    if (given == call.options.end()) {
        first = 1;
        last = total;
        return true;
    }
    const std::string &text = given->second;
    const std::string::size_type dash = text.find('-');
    if (dash != std::string::npos && CNumberText::parse(text.substr(0, dash), first)
        && CNumberText::parse(text.substr(dash + 1), last) && first >= 1 && first <= last
        && last <= total)
        return true;
    error = "--games must be FROM-TO, game numbers from 1 to " + std::to_string(total)
        + " with FROM not after TO, not '" + text + "'";
    return false;
}

bool CMatchCommand::readJobs(const Call &call, int &jobs, std::string &error)
{
    const auto given = call.options.find("jobs");
    if (given != call.options.end())
        return readNumber(given->second, "--jobs", 1, MaxJobs, jobs, error);
    jobs = processors();
    return true;
}

// As nproc counts them: the processors this process may run on, which
// taskset or a container may have narrowed.
int CMatchCommand::processors()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::clamp(CPU_COUNT(&set), 1, MaxJobs);
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxJobs);
}

std::string CMatchCommand::playerName(const std::string &skill, int depth)
{
    const std::string depthText = "depth " + std::to_string(depth);
    return skill == std::to_string(depth) ? depthText : skill + " (" + depthText + ')';
}

std::string CMatchCommand::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}
