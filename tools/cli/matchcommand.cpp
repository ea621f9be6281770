#include "matchcommand.h"

#include "interruption.h"
#include "matchside.h"
#include "tools/match/ballotdeck.h"
#include "tools/match/matchfaults.h"
#include "tools/match/matchfigures.h"
#include "tools/match/matchrunner.h"
#include "tools/match/openingfile.h"
#include "tools/match/progressline.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <sched.h>
#include <thread>
#include <unistd.h>

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
    return { { "games", "FROM-TO" },   { "jobs", "N", 'j' },    { "pdn", "" },    { "ballot", "" },
             { "openings", "FILE" },   { "sprt", "ELO0,ELO1" }, { "alpha", "A" }, { "beta", "B" },
             { "elo-model", "MODEL" }, { "timeout", "SECONDS" } };
}

std::string CMatchCommand::help() const
{
    return "GAMES games (1 to 100000) of the computer against itself from the initial "
           "position, A with White in the odd-numbered games, each move step a search as in the "
           "game. A and B are poor, medium or good (depth 1, 3 or 5), a depth from 1 to 9, or "
           "DEPTH@COMMAND: the engine program COMMAND (split into words at blanks, double quotes "
           "grouping them; no shell) asked over the engine protocol for each of its steps at "
           "DEPTH; an illegal step, a crash, a time-out or a broken reply loses it the game, "
           "which a Termination tag records, and the summary counts its faults. "
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
           "error; their Date tag is the local date when the match started.\n"
           "--ballot (no value): play the games in pairs from the built-in deck of openings that "
           "the openings command prints: games 2k-1 and 2k play opening k, the openings taken in "
           "deck order from the first, cycling; the opening's move steps start each game's PDN "
           "and count in PLY.\n"
           "--openings FILE: the same from the games of a PDN file, each one opening: its start "
           "position (a FEN included) and its main line.\n"
           "With either of these or --sprt the summary adds \"pairs P0 P1 P2 P3 P4\", the pairs "
           "in which A scored 0, 1/2, 1, 1 1/2 and 2 points, and A's normalized Elo with its 95% "
           "interval; the Event tag records the options.\n"
           "--sprt ELO0,ELO1: after each pair, a sequential probability ratio test over the pairs "
           "of H0 (A is stronger by ELO0) against H1 (by ELO1), ELO0 below ELO1; the match stops "
           "after the first pair at which it accepts one, so GAMES, even, is a maximum (a --games "
           "shard plays all its games). The summary adds \"sprt LLR LOWER UPPER VERDICT\", "
           "VERDICT H0, H1 or none, and a sentence.\n"
           "--alpha A, --beta B: the test's error rates, above 0 and below 0.5 (default 0.05 "
           "each).\n"
           "--elo-model normalized|logistic: what ELO0 and ELO1 measure (default normalized).\n"
           "--timeout SECONDS: how long an engine has for each answer, above 0 and up to 86400 "
           "(default 60).";
}

bool CMatchCommand::run(const Call &call, std::string &error) const
{
    CMatchSide a, b;
    int total, first, last, jobs;
    std::uint32_t seed;
    std::chrono::milliseconds timeout;
    CMatchEvent::Setup setup;
    std::vector<COpening> openings;
    if (!a.read(call.arguments[0], "A", error) || !b.read(call.arguments[1], "B", error)
        || !readNumber(call.arguments[2], "GAMES", 1, MaxGames, total, error)
        || !readSeed(call.arguments[3], seed, error) || !readRange(call, total, first, last, error)
        || !readJobs(call, jobs, error) || !readSprt(call, total, setup.sprt, error)
        || !readOpenings(call, setup, openings, error) || !readTimeout(call, timeout, error)
        || !a.probe(timeout, error) || !b.probe(timeout, error))
        return false;
    const int games = last - first + 1;
    const bool pdn = call.options.count("pdn") > 0;
    const CPdnWriter::Tags tags {
        CMatchEvent::text(call.arguments, setup), "?", today(), 0, a.tag(), b.tag(), "", ""
    };
    CMatchFigures figures(!openings.empty(), setup.sprt);
    CMatchFaults faults;
    // A shard cannot know whether the match stopped before it.
    const bool mayStop = call.options.count("games") == 0;
    int played = 0;
    long long steps = 0;
    std::optional<CProgressLine> progress;
    if (call.errIsTerminal)
        progress.emplace(call.err, games,
                         [] { return CProgressLine::terminalWidth(STDERR_FILENO); });
    const auto start = std::chrono::steady_clock::now();
    const auto onGame = [&](const CMatchGame &game) {
        figures.add(game.number(), game.result());
        if (game.fault() != CMatchPlayer::Fault::None)
            faults.add((game.faultSide() == CGameState::White)
                           == CMatchRunner::isWhiteA(game.number()),
                       game.fault());
        ++played;
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
    // command line says which. The test ends it after a whole pair.
    const CInterruption interruption;
    const auto healthy = [&call] { return call.out.good() && !CInterruption::requested(); };
    const auto goOn = [&] { return healthy() && !(mayStop && figures.isDecided()); };
    const auto makeSeats = [&a, &b, timeout] {
        return CMatchRunner::Seats { a.makePlayer(timeout), b.makePlayer(timeout) };
    };
    CMatchRunner(makeSeats, seed, std::move(openings))
        .run(first, games, jobs, onGame, onProgress, goOn);
    if (progress)
        progress->clear();
    if (!healthy())
        return true;
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    (pdn ? call.err : call.out) << figures.scoreLines(a.label(), b.label())
                                << speedLine(played, steps, seconds) << '\n'
                                << figures.pairLines(a.label(), b.label())
                                << faults.lines(a.label(), b.label());
    return true;
}

void CMatchCommand::writeGame(std::ostream &out, CPdnWriter::Tags tags, const CMatchGame &game)
{
    tags.round = game.number();
    tags.fen = game.fen();
    tags.termination = game.termination();
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

// The test's settings, if --sprt is given; the other options of the test
// mean nothing without it.
bool CMatchCommand::readSprt(const Call &call, int total, std::optional<CSprt::Settings> &sprt,
                             std::string &error)
{
    const auto given = call.options.find("sprt");
    if (given == call.options.end()) {
        for (const char *option : { "alpha", "beta", "elo-model" }) {
            if (call.options.count(option) > 0) {
                error = std::string("--") + option + " belongs to the test: it needs --sprt";
                return false;
            }
        }
        return true;
    }
    CSprt::Settings settings;
    if (!readElos(given->second, settings, error) || !readRate(call, "alpha", settings.alpha, error)
        || !readRate(call, "beta", settings.beta, error) || !readModel(call, settings, error))
        return false;
    error = CSprt::fault(settings);
    if (error.empty() && (total < 2 || total % 2 != 0))
        error = "with --sprt GAMES must be even and at least 2, whole pairs, not "
            + std::to_string(total);
    sprt = settings;
    return error.empty();
}

bool CMatchCommand::readElos(const std::string &text, CSprt::Settings &settings, std::string &error)
{
    const std::string::size_type comma = text.find(',');
    if (comma != std::string::npos && CNumberText::parse(text.substr(0, comma), settings.elo0)
        && CNumberText::parse(text.substr(comma + 1), settings.elo1))
        return true;
    error = "--sprt must be ELO0,ELO1, two numbers, not " + CQuotedText::quote(text);
    return false;
}

bool CMatchCommand::readRate(const Call &call, const std::string &name, double &rate,
                             std::string &error)
{
    const auto given = call.options.find(name);
    if (given == call.options.end() || CNumberText::parse(given->second, rate))
        return true;
    error = "--" + name + " must be a number, not " + CQuotedText::quote(given->second);
    return false;
}

bool CMatchCommand::readModel(const Call &call, CSprt::Settings &settings, std::string &error)
{
    const auto given = call.options.find("elo-model");
    if (given == call.options.end() || CSprt::parseModel(given->second, settings.model))
        return true;
    error = "--elo-model must be normalized or logistic, not " + CQuotedText::quote(given->second);
    return false;
}

// The openings the games start from: the deck's, a file's or none.
bool CMatchCommand::readOpenings(const Call &call, CMatchEvent::Setup &setup,
                                 std::vector<COpening> &openings, std::string &error)
{
    setup.ballot = call.options.count("ballot") > 0;
    const auto file = call.options.find("openings");
    if (file == call.options.end()) {
        if (setup.ballot)
            openings = CBallotDeck::openings();
        return true;
    }
    if (setup.ballot) {
        error = "--ballot and --openings both name the openings: give one";
        return false;
    }
    const std::string &path = file->second;
    setup.openings = path.substr(path.find_last_of('/') + 1);
    return COpeningFile::read(path, openings, error);
}

// How long an engine may take to answer: a positive number of seconds.
bool CMatchCommand::readTimeout(const Call &call, std::chrono::milliseconds &timeout,
                                std::string &error)
{
    const auto given = call.options.find("timeout");
    double seconds = DefaultTimeout;
    if (given != call.options.end()
        && (!CNumberText::parse(given->second, seconds) || seconds <= 0 || seconds > MaxTimeout)) {
        error = "--timeout must be a number of seconds above 0 and up to "
            + std::to_string(MaxTimeout) + ", not " + CQuotedText::quote(given->second);
        return false;
    }
    // At least a millisecond, the finest wait there is.
    timeout = std::chrono::milliseconds(std::max(std::llround(seconds * 1000), 1LL));
    return true;
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

std::string CMatchCommand::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}
