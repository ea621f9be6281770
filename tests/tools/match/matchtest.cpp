#include "rules/gamestate.h"
#include "tools/match/balancerule.h"
#include "tools/match/ballotdeck.h"
#include "tools/match/elointerval.h"
#include "tools/match/matchclock.h"
#include "tools/match/matchfaults.h"
#include "tools/match/matchfigures.h"
#include "tools/match/matchplan.h"
#include "tools/match/matchrunner.h"
#include "tools/match/matchseat.h"
#include "tools/match/matchsummary.h"
#include "tools/match/openingorder.h"
#include "tools/match/progressline.h"
#include "tools/match/reportschedule.h"
#include "tools/match/searchplayer.h"
#include "tools/match/sprt.h"

#include <cmath>
#include <condition_variable>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <set>
#include <sstream>
#include <tuple>

// The README's strength table. The figures were computed once apart from
// this code, in Python: the draw rate of the profile likelihood found by a
// golden-section search, the bounds by halving the score; they agree with
// the likelihood-ratio figures given when the interval was chosen.
TEST(EloInterval, GivesTheReadmeRows)
{
    struct Row
    {
        int wins, draws, losses;
        double low, mid, high;
    };
    const Row rows[] = {
        { 6, 0, 994, -1048.29, -887.69, -764.47 },
        { 3, 0, 997, -1250.56, -1008.63, -842.69 },
        { 52, 131, 817, -378.37, -350.27, -323.02 },
    };
    for (const Row &row : rows) {
        const CEloInterval interval(row.wins, row.draws, row.losses);
        EXPECT_NEAR(interval.low(), row.low, 0.01) << row.wins;
        EXPECT_NEAR(interval.mid(), row.mid, 0.01) << row.wins;
        EXPECT_NEAR(interval.high(), row.high, 0.01) << row.wins;
    }
}

// Every result of up to eight games: bounds finite but on the side of a
// sweep, an interval of some width about the estimate, and no bound worse
// for a result better for A (a loss turned draw, a draw turned win).
TEST(EloInterval, HoldsAtTheExtremes)
{
    constexpr int MaxGames = 8;
    constexpr double Slack = 1e-6;
    for (int games = 1; games <= MaxGames; ++games) {
        for (int wins = 0; wins <= games; ++wins) {
            for (int draws = 0; wins + draws <= games; ++draws) {
                const int losses = games - wins - draws;
                const CEloInterval interval(wins, draws, losses);
                const std::string shown = std::to_string(wins) + '/' + std::to_string(draws) + '/'
                    + std::to_string(losses);
                EXPECT_EQ(std::isfinite(interval.low()), losses < games) << shown;
                EXPECT_EQ(std::isfinite(interval.high()), wins < games) << shown;
                EXPECT_LT(interval.low(), interval.high() - 1) << shown;
                EXPECT_LE(interval.low(), interval.mid()) << shown;
                EXPECT_LE(interval.mid(), interval.high()) << shown;
                const std::pair<int, int> better[]
                    = { { wins, draws + 1 }, { wins + 1, draws - 1 } };
                for (const auto &[betterWins, betterDraws] : better) {
                    if (betterDraws < 0 || betterWins + betterDraws > games)
                        continue;
                    const CEloInterval next(betterWins, betterDraws,
                                            games - betterWins - betterDraws);
                    EXPECT_GE(next.low(), interval.low() - Slack) << shown;
                    EXPECT_GE(next.mid(), interval.mid() - Slack) << shown;
                    EXPECT_GE(next.high(), interval.high() - Slack) << shown;
                }
            }
        }
    }
}

namespace {

// The summary of games 1, 2, ... with these results, without the line of
// the caller's own.
std::string summaryOf(const std::vector<int> &results, const CMatchFigures &start,
                      const CMatchFaults &faults = {})
{
    CMatchFigures figures = start;
    for (std::size_t game = 1; game <= results.size(); ++game)
        figures.add(static_cast<int>(game),
                    CMatchSeat(static_cast<int>(game)).halfPointsOfA(results[game - 1]));
    return CMatchSummary("a", "b").text(figures, "-", faults);
}

} // namespace

// A wins as White in the odd-numbered games and as Black in the others; a
// pair counts each game from A's colour in it, and a lone last game counts
// in the result only.
TEST(MatchSummary, CreditsEachSideByItsColour)
{
    const int W = CGameState::WhiteWins, B = CGameState::BlackWins, D = CGameState::Draw;
    EXPECT_EQ(summaryOf({ W, W, B, B, D, D }, CMatchFigures(false, std::nullopt)),
              "result a b 2 2 2\n"
              "a scored 50.0% against b: Elo difference 0 (95% interval -240 to +240)\n-\n");
    CMatchFaults faults;
    faults.add(false, CMatchPlayer::Fault::Timeout);
    faults.add(false, CMatchPlayer::Fault::Broken);
    EXPECT_EQ(
        summaryOf({ W, B, D, B, W, D, W, W, D, W, B }, CMatchFigures(true, std::nullopt), faults),
        "result a b 5 3 3\n"
        "a scored 59.1% against b: Elo difference +64 (95% interval -114 to +251)\n-\n"
        "pairs 0 1 1 2 1\n"
        "normalized Elo of a: +144.5 (95% interval -70.8 to +359.9) over 5 pairs\n"
        "faults b crashes 0 timeouts 1 illegal 0 broken 1\n");
}

// A wins every pair: the LLR is 2.91 after 16 pairs and 3.09 after 17, so
// the test stops there, and the games after it are left out.
TEST(MatchFigures, StopsAfterThePairThatDecides)
{
    CSprt::Settings settings;
    settings.elo1 = 50;
    CMatchFigures figures(false, settings);
    int game = 0;
    while (!figures.isDecided() && game < 100) {
        ++game;
        figures.add(game, 2);
        ++game;
        figures.add(game, 2);
    }
    EXPECT_EQ(game, 34);
    figures.add(35, 1);
    figures.add(36, 1);
    EXPECT_EQ(figures.lastGame(), 34);
    EXPECT_EQ(figures.score().games(), 34);
    EXPECT_EQ(figures.verdict(), CSprt::Verdict::H1);
    EXPECT_EQ(figures.leftOut(), 2);
    const std::string summary = CMatchSummary("a", "b").text(figures, "-", {});
    EXPECT_EQ(summary.substr(summary.rfind("After")),
              "After 17 pairs the test accepts H1: the normalized Elo difference of a over b is "
              "50, not 0.\n"
              "2 games after the test's stop left out of these figures\n");
}

// Published figures: pairs [36, 340, 767, 462, 82], H0 0 and H1 3 normalized
// Elo, give an LLR of 2.89, just above the upper bound for alpha 0.05 and
// beta 0.10 and below it for 0.05 and 0.05.
TEST(Sprt, AgreesWithThePublishedFigures)
{
    const CPentanomial::Counts counts { 36, 340, 767, 462, 82 };
    CSprt::Settings settings;
    settings.elo1 = 3;
    const CSprt even(settings);
    EXPECT_NEAR(even.llr(counts), 2.89, 0.005);
    EXPECT_NEAR(even.lower(), -2.94, 0.005);
    EXPECT_NEAR(even.upper(), 2.94, 0.005);
    EXPECT_EQ(even.verdict(even.llr(counts)), CSprt::Verdict::None);
    settings.beta = 0.10;
    const CSprt uneven(settings);
    EXPECT_NEAR(uneven.lower(), -2.25, 0.005);
    EXPECT_NEAR(uneven.upper(), 2.89, 0.005);
    EXPECT_EQ(uneven.verdict(uneven.llr(counts)), CSprt::Verdict::H1);
}

namespace {

// The logistic model's LLR computed apart from the code under test: each
// hypothesis's closest distribution by Newton's method on theta from 0, a
// step halved while it would take a tilt to nought or below.
double logisticLlr(const CPentanomial::Counts &counts, double elo0, double elo1)
{
    std::array<double, CPentanomial::Bins> observed;
    double pairs = 0;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
        observed[bin] = counts[bin] == 0 ? 1e-3 : counts[bin];
        pairs += observed[bin];
    }
    const auto closest = [&](double elo) {
        const double mean = 1 / (1 + std::pow(10, -elo / 400));
        double theta = 0;
        for (int iteration = 0; iteration < 100; ++iteration) {
            double value = 0, slope = 0;
            for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
                const double x = bin / 4.0 - mean, tilt = 1 + theta * x;
                value += observed[bin] * x / tilt;
                slope -= observed[bin] * x * x / (tilt * tilt);
            }
            double step = -value / slope;
            const auto inside = [&](double next) {
                for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
                    if (1 + next * (bin / 4.0 - mean) <= 0)
                        return false;
                }
                return true;
            };
            while (!inside(theta + step))
                step /= 2;
            theta += step;
        }
        std::array<double, CPentanomial::Bins> p;
        for (int bin = 0; bin < CPentanomial::Bins; ++bin)
            p[bin] = observed[bin] / pairs / (1 + theta * (bin / 4.0 - mean));
        return p;
    };
    const auto h0 = closest(elo0), h1 = closest(elo1);
    double llr = 0;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        llr += observed[bin] * std::log(h1[bin] / h0[bin]);
    return llr;
}

} // namespace

// Empty bins count 1e-3. The normalized figures were computed once apart
// from this code, in Python; the last two need the steps towards a
// hypothesis far on the other side of the result.
TEST(Sprt, AgreesWithAnIndependentComputation)
{
    struct Row
    {
        CPentanomial::Counts counts;
        double elo0, elo1, normalized;
    };
    const Row rows[] = {
        { { 0, 3, 10, 6, 0 }, -10, 10, 0.354580 },  { { 2, 0, 5, 0, 9 }, 0, 50, 1.394138 },
        { { 3, 11, 20, 9, 4 }, 0, 20, -0.156178 },  { { 17, 0, 0, 0, 0 }, 0, 50, -3.781568 },
        { { 0, 0, 0, 0, 100 }, -50, 0, 22.243701 },
    };
    for (const Row &row : rows) {
        CSprt::Settings settings { row.elo0, row.elo1, 0.05, 0.05, CSprt::Model::Logistic };
        EXPECT_NEAR(CSprt(settings).llr(row.counts), logisticLlr(row.counts, row.elo0, row.elo1),
                    1e-6)
            << row.counts[0];
        settings.model = CSprt::Model::Normalized;
        EXPECT_NEAR(CSprt(settings).llr(row.counts), row.normalized, 1e-5) << row.counts[0];
    }
}

// One match has one tag: only the form event() writes reads back.
TEST(MatchPlan, ReadsOnlyTheCanonicalEvent)
{
    const std::string base = "checkers-cli match 1 2 4 7";
    const std::string sprt = " --sprt 0,50 --alpha 0.05 --beta 0.1 --elo-model logistic";
    CMatchPlan plan;
    std::string error;
    ASSERT_TRUE(plan.read({ "1", "2", "4", "7" },
                          { { "ballot", "" },
                            { "sprt", "0,50" },
                            { "beta", "0.1" },
                            { "elo-model", "logistic" },
                            { "jobs", "3" } },
                          error))
        << error;
    EXPECT_EQ(plan.event(), base + " --ballot" + sprt);
    const std::pair<std::string, bool> rows[] = {
        { base, true },
        { base + " --ballot", true },
        { base + " --openings my deck.pdn", true },
        { base + " --ballot --openings-order random --openings-start 3" + sprt, true },
        { base + " --openings deck.pdn --openings-start 2", true },
        { base + " --ballot --openings-order sequential", false },
        { base + " --ballot --openings-start 1", false },
        { base + " --openings-start 3 --openings-order random --ballot", false },
        { base + " --openings-order random", false },
        { base + sprt + " --param x:Hash=1 --param x:Hash=2 --param 2@a:b:Threads=4", true },
        { base + " --param x:Hash=1 2", false },
        { base + " --param x:Hash=1" + sprt, false },
        { base + " --ballot" + sprt, true },
        { base + sprt, true },
        { base + " ", false },
        { base + " --ballot --openings x", false },
        { base + " --sprt 0,50.0 --alpha 0.05 --beta 0.1 --elo-model logistic", false },
        { base + " --sprt 50,0 --alpha 0.05 --beta 0.1 --elo-model logistic", false },
        { base + " --sprt 0,50", false },
        { base + sprt + " --ballot", false },
        { base + " --jobs 2", false },
        { "checkers-cli match 1 2 5 7" + sprt, false },
        { "checkers-cli match 1 2 10000000 7", true },
        { "checkers-cli match 1 2 10000001 7", false },
        { base + " --tc 10+0.1", true },
        { base + " --ballot --tc 60", true },
        { base + sprt + " --movetime 0.5", true },
        { base + " --tc 10+0.10", false },
        { base + " --tc 10 --movetime 1", false },
        { base + " --timemargin 50 --tc 10", false },
        { "checkers-cli match 64 2 4 7 --tc 10", true },
        { "checkers-cli match 65 2 4 7 --tc 10", false },
        { "checkers-cli match 10 2 4 7", false },
    };
    for (const auto &[text, canonical] : rows) {
        CMatchPlan read;
        EXPECT_EQ(read.readEvent(text), canonical) << text;
        if (canonical) {
            EXPECT_EQ(read.isPaired(),
                      text.find(" --sprt") != std::string::npos
                          || text.find(" --ballot") != std::string::npos
                          || text.find(" --openings") != std::string::npos)
                << text;
            EXPECT_EQ(read.event(), text);
        }
    }
    // An engine stands by the name it gave itself and its depth, not by its
    // command; a named player by its name.
    ASSERT_TRUE(plan.read({ "5@/opt/cli engine --x", "5", "4", "7" }, {}, error)) << error;
    EXPECT_EQ(plan.a().words(), (std::vector<std::string> { "/opt/cli", "engine", "--x" }));
    plan.a().identify("my engine", "1.0");
    EXPECT_EQ(plan.event(), "checkers-cli match 5@my_engine 5 4 7");
    const struct
    {
        std::string players;
        std::string labels;
    } named[] = {
        { "5@my_engine 5", "5@my_engine 5" },
        { "best=2@py_engine random=2@py_engine", "best random" },
        { "strong=good 5", "strong 5" },
        { "2@py 2@py", "2@py 2@py" },
        { "x=5 x=5", "x x" },
        { "x=5 x=3", "" },
        { "2@py x=2@py", "2@py x" },
        { "x=2@py x=2@pz", "" },
        { "'5@cli engine' 5", "" },
        { "a b=5 5", "" },
    };
    for (const auto &row : named) {
        CMatchPlan read;
        EXPECT_EQ(read.readEvent("checkers-cli match " + row.players + " 4 7"), !row.labels.empty())
            << row.players;
        if (!row.labels.empty()) {
            EXPECT_EQ(read.a().label() + ' ' + read.b().label(), row.labels);
        }
    }
}

// The clocks add up: a turn's clock comment is what was left, less what
// the turn took, plus the increment; past the margin a step has lost.
TEST(MatchClock, ChargesEachTurnAndTellsALossOnTime)
{
    using ms = std::chrono::milliseconds;
    const int White = CGameState::White, Black = CGameState::Black;
    const struct
    {
        std::string control;
        bool moveTime;
        // Each step: the side, what it took, whether it ends the turn, and
        // the comment or the loss it gives.
        std::vector<std::tuple<int, int, bool, std::string>> steps;
    } rows[] = {
        { "10+0.1",
          false,
          { { White, 1234, true, "+5/7 [%clk 0:00:08.86] [%emt 1.234]" },
            { Black, 300, false, "" },
            { Black, 200, true, "+5/7 [%clk 0:00:09.60] [%emt 0.500]" },
            { White, 8900, true, "+5/7 [%clk 0:00:00.06] [%emt 8.900]" },
            // 9.6 s left and a margin of 0.1 s: 9.7 s is within it.
            { Black, 9700, true, "+5/7 [%clk 0:00:00.00] [%emt 9.700]" },
            { White, 171, true, "lost by 0.105" } } },
        { "65", false, { { White, 65000, true, "+5/7 [%clk 0:00:00.00] [%emt 65.000]" } } },
        { "3600", false, { { Black, 1, true, "+5/7 [%clk 0:59:59.99] [%emt 0.001]" } } },
        { "0.5",
          true,
          { { White, 500, true, "+5/7 [%emt 0.500]" }, { Black, 601, true, "lost by 0.101" } } },
    };
    for (const auto &row : rows) {
        CTimeControl control;
        std::string error;
        ASSERT_TRUE(row.moveTime ? control.readMoveTime(row.control, error)
                                 : control.readClock(row.control, error))
            << error;
        CMatchClock clock(control, ms(100));
        for (const auto &[side, elapsed, ends, expected] : row.steps) {
            const auto over = clock.charge(side, ms(elapsed));
            const std::string said = over ? "lost by " + CMatchClock::secondsText(*over)
                : ends                    ? clock.endTurn(side, 7, 5)
                                          : "";
            EXPECT_EQ(said, expected) << row.control << ' ' << elapsed;
        }
    }
    for (const char *bad : { "0", "-1", "10+-1", "x", "10+", "86401" }) {
        CTimeControl control;
        std::string error;
        EXPECT_FALSE(control.readClock(bad, error)) << bad;
    }
}

// A Termination tag holds at most 60 bytes of what the engine wrote, and
// reads back as the fault it records.
TEST(MatchFaults, CutsTheDetailAtSixtyBytes)
{
    const std::string sixty(60, 'x');
    const struct
    {
        CMatchPlayer::Fault fault;
        int side;
        std::string detail;
        std::string tag;
    } rows[] = {
        { CMatchPlayer::Fault::Crash, CGameState::White, sixty, "White forfeits, crash: " + sixty },
        { CMatchPlayer::Fault::Broken, CGameState::Black, sixty + "y",
          "Black forfeits, broken reply: " + sixty + "..." },
        { CMatchPlayer::Fault::Timeout, CGameState::Black, "out of time by 0.150 s",
          "Black forfeits, time: out of time by 0.150 s" },
    };
    for (const auto &row : rows) {
        const std::string tag = CMatchFaults::termination(row.fault, row.side, row.detail);
        EXPECT_EQ(tag, row.tag);
        CMatchPlayer::Fault fault = CMatchPlayer::Fault::None;
        int side = 0;
        EXPECT_TRUE(CMatchFaults::readTermination(tag, fault, side));
        EXPECT_EQ(fault, row.fault);
        EXPECT_EQ(side, row.side);
    }
}

// The committed deck is every sequence of three steps that the rule keeps,
// in the order the steps are listed, and the README's count.
TEST(BallotDeck, HoldsEveryBalancedOpeningInOrder)
{
    const std::vector<std::vector<COpening::Step>> sequences = CBallotDeck::sequences();
    ASSERT_EQ(sequences.size(), 302u);
    std::vector<std::vector<COpening::Step>> balanced;
    for (const auto &steps : sequences) {
        CPosition position;
        for (const auto &[from, to] : steps)
            position.makeMove(from, to);
        if (CBalanceRule::isBalanced(position))
            balanced.push_back(steps);
    }
    std::vector<std::vector<COpening::Step>> deck;
    for (const COpening &opening : CBallotDeck::openings())
        deck.push_back(opening.steps());
    EXPECT_EQ(deck, balanced);
    EXPECT_EQ(deck.size(), 246u);
    EXPECT_TRUE(CBalanceRule::isBalanced(CPosition()));
}

// Every N games; in pairs, at the first whole pair from N games on; and
// from the games a resumed match has already counted.
TEST(ReportSchedule, FallsOnEveryNGamesOrTheNextWholePair)
{
    const struct
    {
        bool paired;
        int every;
        int counted;
        std::vector<int> due;
    } rows[] = {
        { false, 3, 0, { 3, 6, 9 } },       { true, 3, 0, { 4, 6, 10 } }, { true, 4, 0, { 4, 8 } },
        { true, 1, 0, { 2, 4, 6, 8, 10 } }, { false, 4, 5, { 8 } },       { true, 3, 4, { 6, 10 } },
    };
    for (const auto &row : rows) {
        CMatchFigures figures(row.paired, std::nullopt);
        for (int game = 1; game <= row.counted; ++game)
            figures.add(game, 1);
        CReportSchedule schedule(row.every, figures);
        std::vector<int> due;
        for (int game = row.counted + 1; game <= 10; ++game) {
            figures.add(game, 1);
            if (schedule.isDue(figures))
                due.push_back(game);
        }
        EXPECT_EQ(due, row.due) << row.paired << ' ' << row.every << ' ' << row.counted;
    }
}

// The shuffle is pinned by a computation apart from this code, in Python:
// a change to it would set shards of one match against each other.
TEST(OpeningOrder, ShufflesByTheSeedAndStartsAtK)
{
    const struct
    {
        bool shuffled;
        std::uint32_t seed;
        int start;
        std::vector<int> places;
    } rows[] = {
        { false, 1, 1, { 0, 1, 2, 3, 4, 5, 6, 7 } }, { false, 0, 6, { 5, 6, 7, 0, 1, 2, 3, 4 } },
        { true, 1, 1, { 5, 1, 7, 6, 0, 2, 3, 4 } },  { true, 1, 3, { 7, 6, 0, 2, 3, 4, 5, 1 } },
        { true, 2, 1, { 0, 5, 3, 4, 6, 2, 1, 7 } },
    };
    for (const auto &row : rows)
        EXPECT_EQ(COpeningOrder(row.shuffled, row.seed, row.start).places(8), row.places)
            << row.seed << ' ' << row.start;
    EXPECT_EQ(COpeningOrder(true, 1, 1).places(1), std::vector<int> { 0 });
}

// Game 1 is held back until game 2 is done: it is still handed on first.
TEST(MatchRunner, HandsGamesOnInGameOrder)
{
    std::mutex mutex;
    std::condition_variable secondDone;
    bool second = false;
    CSearchPlayer depthOne(1);
    const CMatchRunner runner([&](int) {
        return [&](int number, const std::atomic<bool> &stop) {
            std::unique_lock<std::mutex> lock(mutex);
            if (number == 1)
                secondDone.wait(lock, [&second] { return second; });
            second = second || number == 2;
            secondDone.notify_all();
            return CMatchGame(number, COpening(), depthOne, depthOne, 0, stop);
        };
    });
    std::vector<int> order;
    EXPECT_TRUE(runner.run(
        1, 4, 2, [&order](const CMatchGame &game) { order.push_back(game.number()); }, [](int) {}));
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 3, 4 }));
}

// Once goOn says no after game 2, no game is handed on, though games 3 and
// 4 are done by then: game 1 is held until games 5 and 6 are under way on
// the two workers, which have then put away every game before them.
TEST(MatchRunner, HandsNoGameOnAfterTheStop)
{
    std::mutex mutex;
    std::condition_variable changed;
    std::set<int> started;
    const auto startedSix = [&started] { return started.count(6) > 0; };
    CSearchPlayer depthOne(1);
    const CMatchRunner runner([&](int) {
        return [&](int number, const std::atomic<bool> &stop) {
            std::unique_lock<std::mutex> lock(mutex);
            started.insert(number);
            changed.notify_all();
            if (number == 5)
                changed.wait(lock, startedSix);
            return CMatchGame(number, COpening(), depthOne, depthOne, 0, stop);
        };
    });
    std::vector<int> order;
    const auto onGame = [&](const CMatchGame &game) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, startedSix);
        order.push_back(game.number());
    };
    EXPECT_FALSE(runner.run(
        1, 8, 2, onGame, [](int) {}, [&order] { return order.size() < 2; }));
    EXPECT_EQ(order, (std::vector<int> { 1, 2 }));
}

namespace {

// One line of a terminal: what it shows and the furthest column written.
struct Screen
{
    std::string line;
    std::size_t widest = 0;
    std::size_t column = 0;

    void write(const std::string &text)
    {
        for (const char c : text) {
            if (c == '\r') {
                column = 0;
                continue;
            }
            line.resize(std::max(line.size(), column + 1), ' ');
            line[column++] = c;
            widest = std::max(widest, column);
        }
    }
};

// Whether a progress line of 6 games in 100000 shows whole fields only, and
// in order: none, the count, then the time elapsed, then the time left;
// spaces may follow.
bool showsWholeFields(const std::string &line)
{
    static const std::string fields[] = { "games 6 of 100000", " elapsed", " left" };
    const std::size_t end = line.find_last_not_of(' ') + 1;
    std::size_t start = 0;
    for (std::size_t i = 0; start < end; ++i) {
        if (i == std::size(fields))
            return false;
        if (i > 0) {
            // ", " and a clock ahead of the field's name.
            if (line.compare(start, 2, ", ") != 0)
                return false;
            const std::size_t clockEnd = line.find_first_not_of("0123456789:", start + 2);
            if (clockEnd == start + 2 || clockEnd == std::string::npos)
                return false;
            start = clockEnd;
        }
        if (line.compare(start, fields[i].size(), fields[i]) != 0)
            return false;
        start += fields[i].size();
    }
    return start == end;
}

} // namespace

// The line is left blank for the summary that follows it, and stays short
// of the terminal's width, even when it narrows, by whole fields.
TEST(ProgressLine, IsBlankedWhenClearedAndStaysWithinTheWidth)
{
    std::ostringstream out;
    std::size_t width = 80;
    CProgressLine progress(out, 100000, [&width] { return width; });
    Screen screen;
    progress.show(5);
    screen.write(out.str());
    EXPECT_EQ(screen.line.rfind("games 5 of 100000, 0:0", 0), 0u) << screen.line;
    progress.clear();
    screen.write(out.str());
    EXPECT_EQ(screen.line.find_first_not_of(' '), std::string::npos) << screen.line;
    EXPECT_EQ(screen.column, 0u);
    for (const std::size_t narrower : { 80, 30, 20, 11, 2, 1, 0 }) {
        width = narrower;
        out.str("");
        screen.widest = 0;
        progress.show(6);
        screen.write(out.str());
        const std::size_t room = std::max<std::size_t>(width, 1) - 1;
        EXPECT_LT(screen.widest, room + 1) << width;
        EXPECT_TRUE(showsWholeFields(screen.line.substr(0, room))) << screen.line;
    }
}
