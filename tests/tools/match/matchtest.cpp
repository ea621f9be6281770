#include "rules/gamestate.h"
#include "tools/match/elointerval.h"
#include "tools/match/matchrunner.h"
#include "tools/match/matchscore.h"
#include "tools/match/progressline.h"

#include <cmath>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <regex>
#include <sstream>

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

// A wins as White in the odd-numbered games and as Black in the others.
TEST(MatchScore, CreditsEachSideByItsColour)
{
    CMatchScore score;
    score.add(CGameState::WhiteWins, true);
    score.add(CGameState::BlackWins, false);
    score.add(CGameState::BlackWins, false);
    score.add(CGameState::WhiteWins, false);
    score.add(CGameState::Draw, true);
    EXPECT_EQ(score.resultLine("a", "b"), "result a b 3 1 1");
    EXPECT_EQ(score.strengthLine("a", "b"),
              "a scored 70.0% against b: Elo difference +147 (95% interval -135 to +486)");
    // Draws and B's wins apart.
    score.add(CGameState::Draw, false);
    EXPECT_EQ(score.resultLine("a", "b"), "result a b 3 1 2");
}

// Game 1 is held back until game 2 is done: it is still handed on first.
TEST(MatchRunner, HandsGamesOnInGameOrder)
{
    std::mutex mutex;
    std::condition_variable secondDone;
    bool second = false;
    const CMatchRunner runner([&](int number, const std::atomic<bool> &stop) {
        std::unique_lock<std::mutex> lock(mutex);
        if (number == 1)
            secondDone.wait(lock, [&second] { return second; });
        second = second || number == 2;
        secondDone.notify_all();
        return CMatchGame(number, 1, 1, 0, stop);
    });
    std::vector<int> order;
    EXPECT_TRUE(runner.run(
        1, 4, 2, [&order](const CMatchGame &game) { order.push_back(game.number()); }, [](int) {}));
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 3, 4 }));
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
    const std::regex wholeFields("(games 6 of 100000(, [0-9:]+ elapsed(, [0-9:]+ left)?)?)? *");
    for (const std::size_t narrower : { 80, 30, 20, 11, 2, 1, 0 }) {
        width = narrower;
        out.str("");
        screen.widest = 0;
        progress.show(6);
        screen.write(out.str());
        const std::size_t room = std::max<std::size_t>(width, 1) - 1;
        EXPECT_LT(screen.widest, room + 1) << width;
        EXPECT_TRUE(std::regex_match(screen.line.substr(0, room), wholeFields)) << screen.line;
    }
}
