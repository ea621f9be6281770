#include "clirun.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace {

const std::string Initial = "bbbbbbbbbbbb........wwwwwwwwwwww w";
// Where 8-5 leaves Black at the count that draws: lost all the same.
const std::string NoStepAt41 = "b...ww...w...................... b - 41";
// Wrapped for a terminal of 80 columns, between commands.
const std::string Usage
    = "usage: checkers-cli moves POS | perft POS DEPTH | play POS FROM TO |\n"
      "                    best POS DEPTH SEED | bench | match A B GAMES SEED\n"
      "                    [--games FROM-TO] [--jobs N] [--pdn] [--pdn-file FILE]\n"
      "                    [--report N] [--ballot] [--openings FILE]\n"
      "                    [--openings-order ORDER] [--openings-start K]\n"
      "                    [--sprt ELO0,ELO1] [--alpha A] [--beta B]\n"
      "                    [--elo-model MODEL] [--param NAME:KEY=VALUE]\n"
      "                    [--timeout SECONDS] [--tc BASE[+INC]] [--movetime S]\n"
      "                    [--timemargin MS] [--log FILE] | openings |\n"
      "                    replay [--keep-going] |\n"
      "                    tally [--complete] [--by-opening] [--openings FILE] | engine\n";

std::string fileText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The summary with line in place of its middle line, which tells the time
// or the count.
std::string withMiddleLine(const std::string &summary, const std::string &line)
{
    const std::size_t third = summary.find('\n', summary.find('\n') + 1) + 1;
    return summary.substr(0, third) + line + summary.substr(summary.find('\n', third));
}

} // namespace

TEST(Cli, ListsMovesInOrder)
{
    expectOutput({ "moves", Initial }, "20-16\n21-16\n21-17\n22-17\n22-18\n23-18\n23-19\n");
    expectOutput({ "moves", "bbbbbbbbbbbb........wwwwwwwwwwww b" },
                 "8-12\n8-13\n9-13\n9-14\n10-14\n10-15\n11-15\n");
    expectOutput({ "moves", "b...w........................... w" }, "");
    expectOutput({ "moves", "B.........b.................W... w" }, "28-7\n");
    // The draw is declared when a step is played: it does not cut the list.
    expectOutput({ "moves", Initial + " - 41" },
                 "20-16\n21-16\n21-17\n22-17\n22-18\n23-18\n23-19\n");
}

TEST(Cli, CountsMoveSequences)
{
    expectOutput({ "perft", Initial, "0" }, "1\n");
    expectOutput({ "perft", Initial, "6" }, "36768\n");
    expectOutput({ "perft", "b...w........................... w", "4" }, "0\n");
    expectOutput({ "perft", Initial + " - 41", "2" }, "49\n");
}

TEST(Cli, PlaysOneStep)
{
    expectOutput({ "play", Initial, "22", "18" }, "bbbbbbbbbbbb......w.ww.wwwwwwwww b - 1\n");
    expectOutput({ "play", Initial, "22", "19" }, "illegal\n");
    // The first jump of two leaves the taken man on the board, pending.
    expectOutput({ "play", ".................b.......b...w.. w - 12", "29", "22" },
                 ".................b....w..b...... w 25 0\n");
    expectOutput({ "play", ".................b....w..b...... w 25 0", "22", "13" },
                 ".............w.................. b - 0\ngameover 3\n");
    expectOutput({ "play", Initial + " - 40", "22", "18" },
                 "bbbbbbbbbbbb......w.ww.wwwwwwwww b - 41\ngameover 0\n");
    // The count that drew the game reads back; nothing is played on from it.
    expectOutput({ "play", "bbbbbbbbbbbb......w.ww.wwwwwwwww b - 41", "9", "14" }, "gameover 0\n");
    // A side without a step has lost before the draw counts.
    expectOutput({ "play", NoStepAt41, "0", "4" }, "gameover 3\n");
}

TEST(Cli, ChoosesAMoveFromASeed)
{
    const Outcome first = runCli({ "best", Initial, "5", "1" });
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(runCli({ "best", Initial, "5", "1" }).out, first.out);
    // FROM TO NODES EVALS: a legal opening move and a non-empty search.
    std::istringstream line(first.out);
    int from = -1, to = -1;
    long long nodes = 0, evaluations = 0;
    line >> from >> to >> nodes >> evaluations;
    EXPECT_GE(from, 20);
    EXPECT_LE(from, 23);
    EXPECT_GT(nodes, 7);
    EXPECT_GT(evaluations, 0);
    // Only one legal step: played without any evaluation.
    expectOutput({ "best", "B.........b.................W... w", "5", "4294967295" }, "28 7 1 0\n");
    // No step: the side to move has lost.
    expectOutput({ "best", "b...w........................... w", "5", "1" }, "gameover 4\n");
    expectOutput({ "best", NoStepAt41, "5", "1" }, "gameover 3\n");
    expectOutput({ "best", Initial + " - 41", "5", "1" }, "gameover 0\n");
}

TEST(Cli, SpeaksTheEngineProtocolUntilQuit)
{
    expectOutput({ "engine" }, "pong\nerror message=\"a line over 65536 bytes\"\ndone move=24-19\n",
                 "ping\r\n" + std::string(70000, 'x')
                     + "\nlevel depth=1\ngo think seed=1\nquit\n"
                       "ping\n");
}

TEST(Cli, ReplaysGamesFromStandardInput)
{
    const std::string games = "[Event \"Club\"]\n1. 22-18 11-15 2. 18x11 8x15 *\n\n"
                              "[SetUp \"1\"]\n[FEN \"W:W30:B18,26\"]\n1. 30x14 1-0\n";
    expectOutput({ "replay" },
                 "bbbbbbb.bb.b..b.....w.wwwwwwwwww w - 0 *\n"
                 ".............w.................. b - 0 1-0\n",
                 games);
    const Outcome bad = runCli({ "replay" }, games + "\n1. 22-19 *\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out,
              "bbbbbbb.bb.b..b.....w.wwwwwwwwww w - 0 *\n"
              ".............w.................. b - 0 1-0\n");
    EXPECT_EQ(bad.err, "checkers-cli: game 3, move 1, '22-19': the rules do not allow 22-19\n");
}

TEST(Cli, RefusesBadInputWithOneLineAndStatusTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        { "fly", Initial },
        { "moves" },
        { "moves", Initial, "extra" },
        { "perft", Initial },
        { "play", Initial, "22" },
        { "moves", Initial.substr(1) },
        { "moves", "x" + Initial.substr(1) },
        { "moves", Initial.substr(0, 33) + "x" },
        { "moves", Initial + " 40" },
        { "moves", Initial + " 8,8" },
        { "moves", Initial + " 20" },
        { "moves", Initial + " - 5 trailing" },
        { "moves", Initial + " - -3" },
        { "moves", "bbbbbbbbbbbbb.......wwwwwwwwwwww w" },
        { "perft", Initial, "-1" },
        { "perft", Initial, "two" },
        { "perft", Initial, "99999999999999999999" },
        { "perft", Initial, "3 " },
        { "play", Initial, "22", "18x" },
        { "play", Initial, "99999999999999999999", "18" },
        { "play", Initial, "-1", "18" },
        { "play", Initial, "22", "32" },
        { "play", Initial, "1000", "18" },
        { "play", Initial, "22", "-2147483648" },
        // Before the verdict of a finished game.
        { "play", NoStepAt41, "0", "32" },
        { "best", Initial, "3" },
        { "best", Initial, "0", "1" },
        { "best", Initial, "-2", "1" },
        { "best", Initial, "3", "-1" },
        { "best", Initial, "3", "4294967296" },
        { "best", Initial, "3", "seed" },
        { "best", "bbbbbbbbbbbb w", "3", "1" },
        { "bench", "5" },
        { "replay", "-" },
        { "moves", Initial + "\n" },
        { "fly\x1b[2J" },
        { "-h" },
        { "moves", Initial, "--pdn" },
        { "match", "poor", "great", "2", "1" },
        { "match", "0", "poor", "2", "1" },
        { "match", "poor", "10", "2", "1" },
        { "match", "poor", "poor", "0", "1" },
        { "match", "poor", "poor", "10000001", "1" },
        { "match", "1", "1", "2", "1", "--tc", "1", "--movetime", "1" },
        { "match", "1", "1", "2", "1", "--tc", "0" },
        { "match", "1", "1", "2", "1", "--movetime", "x" },
        { "match", "1", "1", "2", "1", "--tc", "1", "--timemargin", "-1" },
        { "match", "64", "1", "2", "1" },
        { "match", "65", "1", "2", "1", "--tc", "1" },
        { "match", "x=3", "x=2", "2", "1" },
        { "match", "x y=3", "2", "2", "1" },
        { "match", "poor", "poor", "2", "-1" },
        { "match", "poor", "poor", "2" },
        { "match", "poor", "poor", "2", "1", "--jobs", "0" },
        { "match", "poor", "poor", "2", "1", "--jobs", "x" },
        { "match", "poor", "poor", "2", "1", "--jobs" },
        { "match", "poor", "poor", "2", "1", "--jobs", "1", "--jobs", "2" },
        { "match", "poor", "poor", "2", "1", "--pgn" },
        { "match", "poor", "poor", "2", "1", "--pdn=0" },
        { "match", "poor", "poor", "6", "1", "--games", "0-3" },
        { "match", "poor", "poor", "6", "1", "--games", "4-3" },
        { "match", "poor", "poor", "6", "1", "--games", "5-7" },
        { "match", "poor", "poor", "6", "1", "--games", "5" },
        { "match", "1", "2", "6", "1", "--sprt", "50,0" },
        { "match", "1", "2", "6", "1", "--sprt", "0,0" },
        { "match", "1", "2", "6", "1", "--sprt", "0" },
        { "match", "1", "2", "6", "1", "--sprt", "0,nan" },
        { "match", "1", "2", "6", "1", "--sprt", "0,5", "--alpha", "0" },
        { "match", "1", "2", "6", "1", "--sprt", "0,5", "--alpha", "0.5" },
        { "match", "1", "2", "6", "1", "--sprt", "0,5", "--beta", "-0.1" },
        { "match", "1", "2", "6", "1", "--sprt", "0,5", "--beta", "x" },
        { "match", "1", "2", "6", "1", "--sprt", "0,5", "--elo-model", "bayes" },
        { "match", "1", "2", "1", "1", "--sprt", "0,5" },
        { "match", "1", "2", "5", "1", "--sprt", "0,5" },
        { "match", "1", "2", "6", "1", "--alpha", "0.1" },
        { "match", "1", "2", "6", "1", "--elo-model", "logistic" },
        { "match", "1", "2", "6", "1", "--ballot", "--openings", "deck.pdn" },
        { "match", "1", "2", "6", "1", "--openings", "/nonexistent/deck.pdn" },
        { "match", "1", "2", "6", "1", "--openings", "/" },
        { "match", "1", "2", "6", "1", "--openings-order", "random" },
        { "match", "1", "2", "6", "1", "--ballot", "--openings-order", "shuffled" },
        { "match", "1", "2", "6", "1", "--ballot", "--openings-start", "0" },
        { "match", "1", "2", "6", "1", "--ballot", "--openings-start", "247" },
        { "match", "1", "2", "6", "1", "--pdn", "--pdn-file", "games.pdn" },
        { "match", "1", "2", "6", "1", "--pdn-file", "" },
        { "match", "1", "2", "6", "1", "--report", "0" },
        { "match", "1", "2", "6", "1", "--report", "x" },
        { "match", "1", "2", "6", "1", "--param", "x" },
        { "match", "1", "2", "6", "1", "--param", "x:=1" },
        { "match", "1", "2", "6", "1", "--param", ":k=1" },
        { "match", "1", "2", "6", "1", "--param", "x:k=a b" },
        { "match", "1", "2", "6", "1", "--param", "2:k=1" },
        { "openings", "1" },
    };
    for (const auto &arguments : cases) {
        const Outcome outcome = runCli(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[0];
        EXPECT_EQ(outcome.out, "") << arguments[0];
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
        EXPECT_EQ(outcome.err.rfind("checkers-cli: ", 0), 0u) << outcome.err;
    }
    // Depth 9, the top, is no bad input.
    const Outcome top = runCli({ "match", "9", "1", "2", "1" });
    EXPECT_EQ(top.status, 0) << top.err;
    EXPECT_EQ(top.out.rfind("result 9 1 ", 0), 0u) << top.out;
    // Bare, the usage, and where to read more.
    const Outcome bare = runCli({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.err, Usage + "Try 'checkers-cli --help' for more information.\n");
    EXPECT_EQ(runCli({ "perft", Initial, "-1" }).err,
              "checkers-cli: DEPTH must be a whole number from 0 to 64, not '-1'\n");
    EXPECT_EQ(runCli({ "play", Initial, "22", "18.0" }).err,
              "checkers-cli: TO must be a whole number from 0 to 31, not '18.0'\n");
    EXPECT_EQ(runCli({ "best", Initial, "3", "-1" }).err,
              "checkers-cli: SEED must be a whole number from 0 to 4294967295, not '-1'\n");
}

// Lost input or output is a failure of its own, said in one line. The long
// match would take hours if it did not stop at its first game.
TEST(Cli, FailsWithStatusOneWhenItsInputOrOutputIsLost)
{
    const std::pair<Target, std::string> targets[] = {
        { Target::FullDevice, "No space left on device" },
        { Target::Closed, "Bad file descriptor" },
        { Target::BrokenPipe, "Broken pipe" },
    };
    const std::vector<std::vector<std::string>> commands = {
        { "moves", Initial },
        { "perft", Initial, "1" },
        { "--help" },
        { "replay" },
        { "match", "poor", "poor", "2", "1" },
        { "match", "medium", "good", "100000", "1", "--pdn", "--jobs", "2" },
    };
    for (const auto &[target, reason] : targets) {
        for (const auto &arguments : commands) {
            const Outcome outcome = runCli(arguments, "1. 22-18 *\n", target);
            EXPECT_EQ(outcome.status, 1) << arguments[0] << ": " << reason;
            EXPECT_EQ(outcome.err, "checkers-cli: write error: " + reason + "\n");
        }
    }
    // A result on standard error is output too; an error message keeps its
    // own status.
    const std::pair<std::vector<std::string>, int> onError[] = {
        { { "match", "1", "1", "1", "604", "--pdn" }, 1 },
        { { "replay", "--keep-going" }, 1 },
        { { "replay" }, 2 },
    };
    for (const Target target : { Target::FullDevice, Target::Closed }) {
        for (const auto &[arguments, status] : onError) {
            EXPECT_EQ(runCli(arguments, "1. 22-19 *\n1. 22-18 *\n", target, STDERR_FILENO).status,
                      status)
                << arguments.size();
        }
    }
    // A read that fails is no end of the input, and not even --keep-going
    // reads on after it.
    const std::pair<Target, std::string> sources[] = {
        { Target::Closed, "Bad file descriptor" },
        { Target::Folder, "Is a directory" },
    };
    const std::vector<std::vector<std::string>> readers
        = { { "replay" }, { "replay", "--keep-going" }, { "tally" } };
    for (const auto &[source, reason] : sources) {
        for (const auto &arguments : readers) {
            const Outcome outcome = runCli(arguments, "", source, STDIN_FILENO);
            EXPECT_EQ(outcome.status, 1) << arguments.size() << ": " << reason;
            EXPECT_EQ(outcome.err, "checkers-cli: read error: " + reason + "\n");
        }
    }
}

namespace {

// Runs the script as a job and sends Ctrl-C to the whole job, as a terminal
// does, once the tool has written its first output.
Outcome interruptedOnceWritten(const std::vector<std::string> &arguments, const std::string &script)
{
    const std::string stem = stemOf();
    const pid_t job = startCli(arguments, "", stem, Target::File, STDOUT_FILENO, script);
    const auto written
        = [&stem] { return std::ifstream(stem + ".out", std::ios::ate).tellg() > 0; };
    if (job == -1 || !awaitWhileRunning(job, stem, written))
        return { "", "", -1 };
    kill(-job, SIGINT);
    return finishCli(job, stem);
}

} // namespace

// Ctrl-C ends a match between two games, so that what it wrote reads back,
// and then the tool dies of it, as a terminal sends it to the whole job: so
// the shell that runs the match in a loop stops too.
TEST(Cli, StopsAMatchOnCtrlCAfterAWholeGame)
{
    const Outcome outcome
        = interruptedOnceWritten({ "good", "good", "--pdn", "--jobs", "2" },
                                 "for games in 100000 2; do \"$0\" match \"$1\" \"$2\" "
                                 "$games 1 \"$3\" \"$4\" \"$5\"; done");
    EXPECT_EQ(outcome.status, -SIGINT);
    EXPECT_EQ(outcome.err, "checkers-cli: interrupted\n");
    EXPECT_EQ(runCli({ "replay" }, outcome.out).status, 0) << outcome.out;
    // A shell starts a background job with Ctrl-C ignored: the match keeps
    // it so and plays every game.
    const Outcome background = interruptedOnceWritten(
        { "match", "7", "7", "4", "1", "--pdn", "-j1" }, "trap '' INT; \"$0\" \"$@\"");
    EXPECT_EQ(background.status, 0) << background.err;
    EXPECT_NE(background.out.find("[Round \"4\"]"), std::string::npos) << background.out;
}

TEST(Cli, AnswersHelpAndVersion)
{
    const Outcome help = runCli({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.substr(0, Usage.size()), Usage);
    std::istringstream lines(help.out);
    std::string flat;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
        flat += line.substr(std::min(line.find_first_not_of(' '), line.size())) + ' ';
    }
    // What a person needs from the help alone: the position format, and
    // every range and rule a command's input must meet.
    for (const char *statement :
         { "POS is one argument, SQUARES SIDE [PENDING [PLIES]]", "PLIES counts the moves",
           "0 to 41", "DEPTH (0 to 64)", "DEPTH (1 to 64)", "SEED (0 to 4294967295)",
           "GAMES games (1 to 10000000)", "SEED is 0 to 4294967295", "1 to 256",
           "a depth from 1 to 9", "Date tag is the local date", "'--' ends them",
           "1 if the input or the output failed", "FROM to square TO (0 to 31)", "--sprt ELO0,ELO1",
           "0.05 each", "normalized|logistic", "2k-1 and 2k play" }) {
        EXPECT_NE(flat.find(statement), std::string::npos) << statement;
    }
    expectOutput({ "--version" },
                 "checkers-cli " CHECKERS_VERSION "\n"
                 "Copyright (C) 2026 the Checkers developers\n"
                 "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                 "This is free software: you are free to change and redistribute it.\n"
                 "There is NO WARRANTY, to the extent permitted by law.\n");
}

// The games run on threads of the tool: its test also runs under
// ThreadSanitizer.
TEST(Cli, PlaysTheSameMatchWhateverTheJobs)
{
    const std::vector<std::string> match = { "match", "poor", "2", "6", "7", "--pdn" };
    std::vector<std::string> oneJob = match, threeJobs = match;
    oneJob.insert(oneJob.end(), { "--jobs", "1" });
    threeJobs.insert(threeJobs.begin() + 1, { "--jobs", "3" });
    const Outcome one = runCli(oneJob);
    const Outcome three = runCli(threeJobs);
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(undated(three.out), undated(one.out));
    std::istringstream summary(one.err);
    std::string word, a, b;
    int winsA = -1, winsB = -1, draws = -1;
    summary >> word >> a >> b >> winsA >> winsB >> draws;
    EXPECT_EQ(word + ' ' + a + ' ' + b, "result poor 2");
    EXPECT_EQ(winsA + winsB + draws, 6) << one.err;
    EXPECT_EQ(std::count(one.err.begin(), one.err.end(), '\n'), 3) << one.err;
    EXPECT_EQ(one.err.substr(0, one.err.find('\n')), three.err.substr(0, three.err.find('\n')));

    const Outcome plain = runCli({ "match", "poor", "2", "6", "7" });
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')), one.err.substr(0, one.err.find('\n')));
    EXPECT_NE(undated(runCli({ "match", "poor", "2", "6", "8", "--pdn" }).out), undated(one.out));

    std::string reason;
    if (!openTerminal(reason))
        GTEST_SKIP() << "no pseudo-terminal: " << reason;
    // On a terminal, the progress line is blank before the summary.
    const Outcome shown = runCli(oneJob, "", Target::Terminal, STDERR_FILENO);
    const std::string beforeSummary = shown.err.substr(0, shown.err.find("result "));
    const std::string lastDrawn
        = beforeSummary.substr(beforeSummary.rfind('\r', beforeSummary.size() - 2) + 1);
    EXPECT_EQ(lastDrawn.find_first_not_of(" \r"), std::string::npos) << shown.err;
    // Game 2 ends long before game 1: the line counts it while game 1 is
    // still under way.
    ASSERT_TRUE(openTerminal(reason)) << reason;
    const Outcome unordered
        = runCli({ "match", "8", "8", "2", "18", "-j2" }, "", Target::Terminal, STDERR_FILENO);
    EXPECT_NE(unordered.err.find("games 1 of 2"), std::string::npos) << unordered.err;
}

TEST(Cli, WritesMatchGamesInPdn)
{
    EXPECT_EQ(undated(runCli({ "match", "1", "1", "1", "604", "--pdn" }).out),
              "[Event \"checkers-cli match 1 1 1 604\"]\n"
              "[Site \"?\"]\n"
              "[Round \"1\"]\n"
              "[White \"depth 1\"]\n"
              "[Black \"depth 1\"]\n"
              "[Result \"0-1\"]\n"
              "[GameType \"99,W,8,8,N2,0\"]\n"
              "\n"
              "1. 24-20 10-15 2. 23-19 15x24 3. 28x19 11-15 4. 19x10 7x14 5. 20-16 12x19\n"
              "6. 22-18 14x23 7. 27x18 19-24 8. 18-15 24-27 9. 31x24 9-13 10. 15-10 6x15\n"
              "11. 21-17 13x22x31 12. 25-22 31x17 13. 24-19 15x24 14. 32-27 24x31 15. 30-26\n"
              "31x22 16. 29-25 22x29 0-1\n");
    // Black's king takes on 32x23, then the rules let another black piece
    // take the sequence on: a move of its own.
    std::string pdn = runCli({ "match", "1", "1", "1", "1123", "--pdn" }).out;
    std::replace(pdn.begin(), pdn.end(), '\n', ' ');
    EXPECT_NE(pdn.find(" 32x23 17x31 21. "), std::string::npos) << pdn;
    // White's man takes on 20x11 and another goes on with 12x3, crowned:
    // no number stands before it.
    pdn = runCli({ "match", "1", "2", "8", "7", "--pdn" }).out;
    std::replace(pdn.begin(), pdn.end(), '\n', ' ');
    EXPECT_NE(pdn.find(" 18. 20x11 12x3 6-10 19. 3x14 "), std::string::npos) << pdn;
}

// Shards of a match add up in any order as match counts the whole; a set of
// games that is not one match's, or with --complete not all of it, is
// refused in one line that names the game.
TEST(Cli, TalliesTheGamesOfOneMatch)
{
    const auto games = [](const std::string &seed, const std::string &range) {
        return runCli({ "match", "1", "2", "4", seed, "--pdn", "--games", range }).out;
    };
    const std::string firstHalf = games("7", "1-2"), secondHalf = games("7", "3-4");
    const std::string summary = runCli({ "match", "1", "2", "4", "7" }).out;
    const std::string whole
        = summary.substr(0, summary.rfind('\n', summary.size() - 2)) + "\n4 of 4 games\n";
    expectOutput({ "tally", "--complete" }, whole, secondHalf + firstHalf);
    // Colours by the Round, not by the order of reading.
    expectOutput({ "tally", "--complete" }, whole, games("7", "2-4") + games("7", "1-1"));

    const std::string event = "[Event \"checkers-cli match 1 2 4 7\"]\n";
    const auto sprtGames = [](const std::string &range) {
        return runCli({ "match", "2", "1", "100", "1", "--ballot", "--sprt", "0,50", "--pdn",
                        "--games", range })
            .out;
    };
    const struct
    {
        std::vector<std::string> arguments;
        std::string input;
        std::string error;
    } refusals[] = {
        { { "tally" }, "", "the input holds no game" },
        { { "tally" },
          "[Event \"Club\"]\n1. 22-18 *\n",
          "game 1: its Event tag names no match of checkers-cli" },
        { { "tally" },
          firstHalf + games("8", "3-3"),
          "game 3: its Event tag names another match than game 1's" },
        { { "tally" },
          games("7", "1-1") + games("8", "2-2"),
          "game 2: its Event tag names another match than game 1's" },
        { { "tally" },
          firstHalf + games("7", "2-2"),
          "game 3: Round 2 was given already, to game 2" },
        { { "tally" },
          event + "[Round \"5\"]\n1. 22-18 *\n",
          "game 1: its Round is no game of the match, 1 to 4" },
        { { "tally" },
          firstHalf + event + "[Round \"3\"]\n1. 22-19 *\n",
          "game 3, move 1, '22-19': the rules do not allow 22-19" },
        { { "tally" },
          event + "[Round \"3\"]\n1. 22-18 *\n",
          "game 1: the moves stop before the rules end the game" },
        { { "tally", "--complete" },
          secondHalf + games("7", "1-1"),
          "Round 2 of the match's 4 games is missing" },
        { { "tally", "--complete" }, firstHalf, "Round 3 of the match's 4 games is missing" },
        { { "tally", "--complete" },
          games("7", "1-3"),
          "Round 4 of the match's 4 games is missing" },
        // The test stops at game 36 all the same: a gap before the stop is
        // no game after it.
        { { "tally", "--complete" },
          sprtGames("1-2") + sprtGames("4-36"),
          "Round 3 of the match's 100 games is missing" },
    };
    for (const auto &refusal : refusals) {
        const Outcome outcome = runCli(refusal.arguments, refusal.input);
        EXPECT_EQ(outcome.status, 2) << refusal.error;
        EXPECT_EQ(outcome.out, "") << refusal.error;
        EXPECT_EQ(outcome.err, "checkers-cli: " + refusal.error + "\n");
    }
}

// The deck is the same on every run, and as a file it plays the games that
// --ballot plays. The test stops depth 2 against 1 after 17 pairs, all won
// by 2, whatever the jobs: no game after the stop is written or counted,
// and tally says what match said.
TEST(Cli, PlaysPairsFromOpeningsUntilTheTestDecides)
{
    const Outcome deck = runCli({ "openings" });
    EXPECT_EQ(deck.status, 0);
    EXPECT_EQ(runCli({ "openings" }).out, deck.out);
    EXPECT_EQ(deck.out.substr(0, 51), "1. 21-17 9-13 2. 22-18 *\n\n1. 21-17 9-13 2. 23-18 *\n");
    EXPECT_EQ(std::count(deck.out.begin(), deck.out.end(), '*'), 246);
    const std::string file = tempFile("deck.pdn", deck.out);

    const Outcome ballot
        = runCli({ "match", "2", "1", "100", "1", "--ballot", "--sprt", "0,50", "--pdn", "-j2" });
    const Outcome fromFile = runCli(
        { "match", "2", "1", "100", "1", "--openings", file, "--sprt", "0,50", "--pdn", "-j1" });
    EXPECT_EQ(ballot.status, 0) << ballot.err;
    EXPECT_EQ(undated(fromFile.out, true), undated(ballot.out, true));
    EXPECT_EQ(ballot.out.find("[Round \"35\"]"), std::string::npos);
    EXPECT_NE(ballot.out.find("[Round \"34\"]"), std::string::npos);
    EXPECT_NE(ballot.out.find("[Event \"checkers-cli match 2 1 100 1 --ballot --sprt 0,50 --alpha "
                              "0.05 --beta 0.05 --elo-model normalized\"]\n"),
              std::string::npos);
    EXPECT_NE(fromFile.out.find("[Event \"checkers-cli match 2 1 100 1 --openings deck.pdn --sprt"),
              std::string::npos);
    const std::string tail = "pairs 0 0 0 0 17\n"
                             "normalized Elo of 2: none, every pair scored the same, so the scores "
                             "do not spread\n"
                             "sprt 3.09 -2.94 2.94 H1\n"
                             "After 17 pairs the test accepts H1: the normalized Elo difference of "
                             "2 over 1 is 50, not 0.\n";
    const std::string head = "result 2 1 34 0 0\n"
                             "2 scored 100.0% against 1: Elo difference +inf (95% interval +494 "
                             "to +inf)\n";
    EXPECT_EQ(ballot.err.substr(0, head.size()), head);
    EXPECT_EQ(ballot.err.substr(ballot.err.size() - tail.size()), tail);
    expectOutput({ "tally", "--complete" }, head + "34 of 100 games\n" + tail, ballot.out);
    // The other way round, the test accepts H0.
    const std::string h0
        = runCli({ "match", "1", "2", "100", "1", "--ballot", "--sprt", "0,50" }).out;
    EXPECT_EQ(h0.substr(h0.rfind('\n', h0.size() - 2) + 1),
              "After 14 pairs the test accepts H0: the normalized Elo difference of 1 over 2 is "
              "0, not 50.\n");
    // In a shard, game 2 has lost its partner: only games 3 and 4 make a
    // pair.
    const std::string shard
        = runCli({ "match", "1", "2", "4", "7", "--ballot", "--pdn", "--games", "2-4" }).out;
    const std::string tallied = runCli({ "tally" }, shard).out;
    EXPECT_NE(tallied.find("\npairs 1 0 0 0 0\n"), std::string::npos) << tallied;
    std::remove(file.c_str());
}

// A shuffled deck is one order for one SEED: shards run apart play the
// whole match's games. Pair 1 plays the K-th opening of the shuffle, here
// the deck's 46th (place 45), as a computation apart from this code found.
TEST(Cli, ShufflesTheOpeningsInOneOrderForOneSeed)
{
    const std::vector<std::string> match = { "match",
                                             "2",
                                             "1",
                                             "8",
                                             "5",
                                             "--ballot",
                                             "--openings-order",
                                             "random",
                                             "--openings-start",
                                             "3",
                                             "--pdn" };
    const auto shard = [&match](const std::string &range) {
        std::vector<std::string> arguments = match;
        arguments.insert(arguments.end(), { "--games", range });
        return runCli(arguments).out;
    };
    const Outcome whole = runCli(match);
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(undated(shard("1-4") + shard("5-8")), undated(whole.out));
    EXPECT_NE(whole.out.find("[Event \"checkers-cli match 2 1 8 5 --ballot --openings-order random "
                             "--openings-start 3\"]"),
              std::string::npos);
    const std::string deck = runCli({ "openings" }).out;
    std::string opening = deck;
    for (int skipped = 0; skipped < 45; ++skipped)
        opening = opening.substr(opening.find("\n\n") + 2);
    opening = opening.substr(0, opening.find(" *"));
    EXPECT_EQ(moveTexts(whole.out).substr(1, opening.size()), opening) << opening;
}

namespace {

// A match that the test stops after 64 games, written to a file.
std::vector<std::string> resumable(const std::string &path)
{
    return {
        "match", "6", "5", "100", "1", "--ballot", "--sprt", "0,50", "--pdn-file", path, "-j2"
    };
}

} // namespace

// Stopped by Ctrl-C or killed, the same command run again goes on where the
// match stopped: the file ends as an uninterrupted run's, the test picks up
// from the pairs so far, and a match already over only sums up again.
TEST(Cli, ResumesAMatchFromItsPdnFile)
{
    const std::string full = testing::TempDir() + "full.pdn",
                      part = testing::TempDir() + "part.pdn";
    std::remove(full.c_str());
    const Outcome whole = runCli(resumable(full));
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(whole.out, "");
    EXPECT_NE(whole.err.find("sprt 3.01 -2.94 2.94 H1\n"), std::string::npos) << whole.err;
    const Outcome again = runCli(resumable(full));
    EXPECT_EQ(again.err, withMiddleLine(whole.err, "64 of 100 games"));
    for (const int signal : { SIGINT, SIGKILL }) {
        std::remove(part.c_str());
        const std::string stem = stemOf();
        const pid_t child = startCli(resumable(part), "", stem, Target::File);
        ASSERT_NE(child, -1);
        ASSERT_TRUE(awaitWhileRunning(
            child, stem, [&part] { return std::ifstream(part, std::ios::ate).tellg() > 0; }));
        kill(child, signal);
        EXPECT_EQ(finishCli(child, stem).status, -signal);
        const Outcome resumed = runCli(resumable(part));
        EXPECT_EQ(resumed.status, 0) << resumed.err;
        EXPECT_EQ(withMiddleLine(resumed.err, ""), withMiddleLine(whole.err, "")) << signal;
        EXPECT_EQ(undated(fileText(part)), undated(fileText(full))) << signal;
    }
    std::remove(part.c_str());
}

// A status line after every N games, at the first whole pair from there in
// a paired match, whatever standard error is; the last agrees with the
// summary. On a terminal the progress line shows the score and the LLR.
TEST(Cli, ReportsHowTheMatchStandsEveryNGames)
{
    const std::vector<std::string> match
        = { "match", "3", "2", "20", "1", "--ballot", "--sprt", "0,50", "--report", "5", "-j2" };
    const Outcome outcome = runCli(match);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::istringstream lines(outcome.err);
    std::vector<std::string> games;
    std::string last;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("status games ", 0), 0u) << line;
        games.push_back(line.substr(13, line.find(' ', 13) - 13));
        last = line;
    }
    EXPECT_EQ(games, (std::vector<std::string> { "6", "10", "16", "20" }));
    EXPECT_EQ(last,
              "status games 20 wins 12 draws 4 losses 4 elo +147 low +6 high +301 pairs 0 2 2 2 4 "
              "llr 1.12 lower -2.94 upper 2.94");
    EXPECT_NE(outcome.out.find("result 3 2 12 4 4\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("pairs 0 2 2 2 4\nnormalized"), std::string::npos);
    EXPECT_NE(outcome.out.find("sprt 1.12 -2.94 2.94 none\n"), std::string::npos);

    std::string reason;
    if (!openTerminal(reason))
        GTEST_SKIP() << "no pseudo-terminal: " << reason;
    const Outcome shown = runCli(match, "", Target::Terminal, STDERR_FILENO);
    EXPECT_NE(shown.err.find("games 20 of 20, +12 =4 -4, LLR 1.12, "), std::string::npos)
        << shown.err;
    EXPECT_NE(shown.err.find("\rstatus games 20 "), std::string::npos) << shown.err;
}

// A game cut short at the end of the file, wherever the cut, is written
// again whole, in a shard's file too; a file that holds anything else is
// refused and left as it is.
TEST(Cli, MendsAGameCutShortAndLeavesOtherFilesAlone)
{
    const std::string path = testing::TempDir() + "games.pdn";
    const auto match = [&path](const std::string &seed, const std::string &range) {
        return std::vector<std::string> { "match",    "3",          "2",  "8",       seed,
                                          "--ballot", "--pdn-file", path, "--games", range };
    };
    const auto played = [&](const std::string &seed, const std::string &range) {
        std::remove(path.c_str());
        EXPECT_EQ(runCli(match(seed, range)).status, 0);
        return fileText(path);
    };
    const std::string whole = played("1", "1-8"), shard = played("1", "3-8");
    const std::string other = played("2", "1-8");
    // Where games 2 and 3 start: at the blank line before their tags.
    const std::size_t second = whole.find("\n[Event"), third = whole.find("\n[Event", second + 1);
    const std::pair<std::string, std::string> cuts[] = {
        { "1-8", "" },
        { "1-8", whole.substr(0, third + 200) },
        { "1-8", whole.substr(0, third - 1) },
        { "1-8", whole.substr(0, third + 1) },
        { "1-8", whole.substr(0, third + 12) },
        { "3-8", shard.substr(0, shard.find("[Round \"5\"]") + 3) },
    };
    for (const auto &[range, kept] : cuts) {
        tempFile("games.pdn", kept);
        const Outcome outcome = runCli(match("1", range));
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(undated(fileText(path)), undated(range == "1-8" ? whole : shard)) << kept.size();
    }
    const std::string due
        = " was due: the Rounds follow on from the run's first, without a gap or a "
          "repeat";
    const std::pair<std::string, std::string> refused[] = {
        { other,
          "it holds another match's games: the Event tag of its game 1 is not this match's" },
        { whole.substr(0, second) + whole.substr(third),
          "its game 2 has Round '3' where Round 2" + due },
        { whole.substr(0, third) + whole.substr(second, third - second),
          "its game 3 has Round '2' where Round 3" + due },
        { shard, "its game 1 has Round '3' where Round 1" + due },
        { "hello\n", "it holds what is no game of this match" },
        { whole.substr(0, second) + "\n[Event \"Club\"]\n1. 22-1",
          "it holds what is no game of this match after its game 1" },
        { whole.substr(0, third + 200) + whole.substr(third),
          "its game 3 is not whole, yet more follows it" },
    };
    const std::string prefix = "checkers-cli: the PDN file '" + path + "': ";
    for (const auto &[text, error] : refused) {
        tempFile("games.pdn", text);
        const Outcome outcome = runCli(match("1", "1-8"));
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, prefix + error + "\n");
        EXPECT_EQ(fileText(path), text) << error;
    }
    std::remove(path.c_str());
}

// One line per opening played, numbered by its place in the deck before
// the shuffle (as a computation apart from this code placed them), in that
// order; their pairs add up to the pairs line, their games to the result.
// A match from a file needs the file again, under its name.
TEST(Cli, TalliesTheGamesByOpening)
{
    const Outcome shuffled = runCli({ "match", "3", "2", "12", "5", "--ballot", "--openings-order",
                                      "random", "--openings-start", "3", "--pdn" });
    const Outcome byOpening = runCli({ "tally", "--by-opening" }, shuffled.out);
    std::vector<std::string> deck;
    std::istringstream openings(runCli({ "openings" }).out);
    for (std::string opening; std::getline(openings, opening);) {
        if (!opening.empty())
            deck.push_back(opening);
    }
    EXPECT_EQ(byOpening.status, 0) << byOpening.err;
    std::istringstream lines(byOpening.out);
    std::vector<int> numbers;
    int pairs[5] = {}, games = 0;
    std::string line;
    while (std::getline(lines, line) && line.rfind("opening ", 0) == 0) {
        std::istringstream fields(line.substr(8));
        int number = 0, count = 0;
        fields >> number;
        numbers.push_back(number);
        for (int &pair : pairs)
            pair += (fields >> count, count);
        for (int result = 0; result < 3; ++result)
            games += (fields >> count, count);
        std::string steps;
        std::getline(fields >> std::ws, steps);
        EXPECT_EQ(steps + " *", deck[static_cast<std::size_t>(number - 1)]) << line;
    }
    EXPECT_EQ(numbers, (std::vector<int> { 16, 23, 46, 159, 186, 223 }));
    EXPECT_EQ(games, 12);
    const std::string counted = "pairs " + std::to_string(pairs[0]) + ' ' + std::to_string(pairs[1])
        + ' ' + std::to_string(pairs[2]) + ' ' + std::to_string(pairs[3]) + ' '
        + std::to_string(pairs[4]) + '\n';
    EXPECT_NE(byOpening.out.find(counted), std::string::npos) << byOpening.out;
    EXPECT_EQ(byOpening.out.substr(byOpening.out.find("result ")),
              runCli({ "tally" }, shuffled.out).out);

    const std::string file = tempFile("deck.pdn", runCli({ "openings" }).out);
    const Outcome ballot = runCli({ "match", "3", "2", "8", "1", "--ballot", "--pdn" });
    const Outcome fromFile = runCli({ "match", "3", "2", "8", "1", "--openings", file, "--pdn" });
    const Outcome plain = runCli({ "match", "3", "2", "2", "1", "--pdn" });
    const std::string ballotLines = runCli({ "tally", "--by-opening" }, ballot.out).out;
    EXPECT_EQ(ballotLines.substr(0, 8), "opening ");
    const Outcome fileLines = runCli({ "tally", "--by-opening", "--openings", file }, fromFile.out);
    EXPECT_EQ(fileLines.out.substr(0, fileLines.out.find("result ")),
              ballotLines.substr(0, ballotLines.find("result ")));
    const struct
    {
        std::vector<std::string> arguments;
        std::string input;
        std::string error;
    } refusals[] = {
        { { "tally", "--by-opening" },
          fromFile.out,
          "the match played the openings file 'deck.pdn': give it with --openings FILE" },
        { { "tally", "--by-opening", "--openings", "/tmp/other.pdn" },
          fromFile.out,
          "--openings names 'other.pdn', but the match played the openings file 'deck.pdn'" },
        { { "tally", "--by-opening", "--openings", file },
          ballot.out,
          "--openings names a file, but the match played no openings file" },
        { { "tally", "--by-opening" },
          plain.out,
          "the match played every game from the initial position: it has no openings" },
        { { "tally", "--openings", file },
          fromFile.out,
          "--openings belongs to --by-opening: it names the openings to count by" },
    };
    for (const auto &refusal : refusals) {
        const Outcome outcome = runCli(refusal.arguments, refusal.input);
        EXPECT_EQ(outcome.status, 2) << refusal.error;
        EXPECT_EQ(outcome.out, "") << refusal.error;
        EXPECT_EQ(outcome.err, "checkers-cli: " + refusal.error + '\n');
    }
    std::remove(file.c_str());
}

// An opening may start from a FEN, with Black to move; both games of its
// pair carry it, A with White in the first, B in the second.
TEST(Cli, PlaysOpeningsFromAFen)
{
    const std::string file
        = tempFile("fen.pdn",
                   "[SetUp \"1\"]\n[FEN \"B:W21-32:B1-12\"]\n1... 9-13 (1... 9-14) 2. 22-18 *\n\n"
                   "1. 21-17 *\n");
    const Outcome match = runCli({ "match", "1", "2", "2", "3", "--openings", file, "--pdn" });
    EXPECT_EQ(match.status, 0) << match.err;
    const std::string opening = "[SetUp \"1\"]\n[FEN \"B:W21-32:B1-12\"]\n\n1... 9-13 2. 22-18 ";
    const std::size_t second = match.out.find("[Round \"2\"]\n[White \"depth 2\"]\n");
    EXPECT_LT(match.out.find(opening), second) << match.out;
    EXPECT_NE(match.out.find(opening, second), std::string::npos) << match.out;
    EXPECT_EQ(runCli({ "replay" }, match.out).status, 0);
    EXPECT_EQ(runCli({ "tally", "--complete" }, match.out).status, 0);
    std::remove(file.c_str());
}

// Each bad openings file gets one line that names the game and the move.
TEST(Cli, RefusesBadOpeningsFiles)
{
    const std::pair<std::string, std::string> files[] = {
        { "", "the openings file '%' holds no opening" },
        { "1. 22-18 *\n\n1. 22-19 *\n",
          "the openings file '%', game 2, move 1, '22-19': the rules do not allow 22-19" },
        { "[FEN \"W:W30:B26\"]\n1. 30x23 1-0\n",
          "the openings file '%', game 1, move 1: no game can start from this opening, the rules "
          "ended it with 1-0" },
    };
    for (const auto &[text, error] : files) {
        const std::string file = tempFile("bad.pdn", text);
        const Outcome outcome = runCli({ "match", "1", "2", "2", "1", "--openings", file });
        std::string expected = error;
        expected.replace(expected.find('%'), 1, file);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, "checkers-cli: " + expected + "\n");
        std::remove(file.c_str());
    }
}

TEST(Cli, PlaysEnginesAsTheBuiltInPlayerPlays)
{
    const std::string engine = std::string("3@") + std::getenv("CHECKERS_CLI") + " engine";
    const Outcome builtIn = runCli({ "match", "3", "2", "4", "9", "--pdn", "--jobs", "1" });
    const Outcome engines = runCli({ "match", engine, "2", "4", "9", "--pdn", "--jobs", "2" });
    EXPECT_EQ(engines.status, 0) << engines.err;
    EXPECT_EQ(moveTexts(engines.out), moveTexts(builtIn.out));
    EXPECT_NE(engines.out.find("[White \"checkers-cli (version " CHECKERS_VERSION ", depth 3)\"]"),
              std::string::npos);
    EXPECT_EQ(engines.err.substr(0, engines.err.find(' ', 7)), "result 3@checkers-cli");
    EXPECT_EQ(runCli({ "tally" }, engines.out).out.substr(0, 40), engines.err.substr(0, 40));
    // Lines ended by CR LF, and an info line as long as a line may be.
    for (const char *mode : { "crlf", "long-info" }) {
        const Outcome fake = runCli({ "match", fakeEngine(mode), "2", "4", "9", "--pdn", "-j2" });
        EXPECT_EQ(fake.status, 0) << fake.err;
        EXPECT_EQ(moveTexts(fake.out), moveTexts(builtIn.out)) << mode;
    }
}

// A player is named as asked everywhere; an engine stands in the Event by
// its name and depth, so shards played with other commands for it add up,
// and a command may hold a quote.
TEST(Cli, NamesPlayersAndAddsUpShardsWhateverTheCommand)
{
    const std::string tool = std::getenv("CHECKERS_CLI");
    const Outcome named
        = runCli({ "match", "best=3@" + tool + " engine", "weak=2", "2", "9", "--pdn" });
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.err.substr(0, named.err.find('\n')), "result best weak 1 1 0");
    EXPECT_NE(named.out.find("[Event \"checkers-cli match best=3@checkers-cli weak=2 2 9\"]\n"
                             "[Site \"?\"]\n"),
              std::string::npos)
        << named.out;
    EXPECT_NE(named.out.find("[White \"best\"]\n[Black \"weak\"]"), std::string::npos);
    EXPECT_EQ(runCli({ "tally" }, named.out).out.substr(0, 22), "result best weak 1 1 0");

    const std::string quoted = testing::TempDir() + "it's-cli";
    std::remove(quoted.c_str());
    ASSERT_EQ(symlink(tool.c_str(), quoted.c_str()), 0);
    const Outcome first
        = runCli({ "match", "3@" + tool + " engine", "2", "4", "9", "--pdn", "--games", "1-2" });
    const Outcome second
        = runCli({ "match", "3@" + quoted + " engine", "2", "4", "9", "--pdn", "--games", "3-4" });
    EXPECT_EQ(second.status, 0) << second.err;
    const Outcome whole = runCli({ "tally", "--complete" }, second.out + first.out);
    EXPECT_EQ(whole.status, 0) << whole.err;
    const std::string builtIn = runCli({ "match", "3", "2", "4", "9" }).out;
    EXPECT_EQ(whole.out.substr(0, whole.out.find('\n')),
              "result 3@checkers-cli" + builtIn.substr(8, builtIn.find('\n') - 8));
    std::remove(quoted.c_str());

    // Two engines that call themselves alike are told apart by name only.
    const Outcome alike
        = runCli({ "match", fakeEngine("illegal"), fakeEngine("forward"), "2", "1" });
    EXPECT_EQ(alike.status, 2);
    EXPECT_EQ(alike.err.substr(0, 61),
              "checkers-cli: A and B are two players named 3@checkers-cli: n");
}

TEST(Cli, ForfeitsTheGamesOfAnEngineAtFault)
{
    const std::string starts = testing::TempDir() + "fake-engine-starts";
    const struct
    {
        const char *mode;
        const char *termination;
        const char *faults;
        // The process that greeted, then one a game where the engine had to
        // be ended.
        int starts;
    } rows[] = {
        { "illegal", "White forfeits, illegal step: 32-1",
          "crashes 0 timeouts 0 illegal 2 broken 0", 2 },
        // Two whole moves, then the third ask finds no engine.
        { "crash", "White forfeits, crash: exit status 3",
          "crashes 2 timeouts 0 illegal 0 broken 0", 3 },
        { "segfault", "White forfeits, crash: killed by signal 11 (Segmentation fault)",
          "crashes 2 timeouts 0 illegal 0 broken 0", 3 },
        { "close-output", "White forfeits, crash: closed its output",
          "crashes 2 timeouts 0 illegal 0 broken 0", 3 },
        { "twice", "White forfeits, broken reply: an answer nobody asked for: 'done move=",
          "crashes 0 timeouts 0 illegal 0 broken 2", 3 },
        { "hang", "White forfeits, time: no answer in time",
          "crashes 0 timeouts 2 illegal 0 broken 0", 3 },
        { "endless", "White forfeits, broken reply: a line over 65536 bytes: 'info nodes=1",
          "crashes 0 timeouts 0 illegal 0 broken 2", 3 },
    };
    for (const auto &row : rows) {
        std::remove(starts.c_str());
        setenv("FAKE_ENGINE_PIDS", starts.c_str(), 1);
        const Outcome outcome = runCli(
            { "match", fakeEngine(row.mode), "3", "2", "1", "--pdn", "--timeout", "0.5", "-j1" });
        unsetenv("FAKE_ENGINE_PIDS");
        EXPECT_EQ(outcome.status, 0) << row.mode << ": " << outcome.err;
        EXPECT_NE(outcome.out.find("[Termination \"" + std::string(row.termination)),
                  std::string::npos)
            << outcome.out;
        // The engine lost both games, one with each colour.
        EXPECT_NE(outcome.err.find("result 3@checkers-cli 3 0 2 0\n"), std::string::npos)
            << outcome.err;
        EXPECT_NE(outcome.err.find("faults 3@checkers-cli " + std::string(row.faults) + '\n'),
                  std::string::npos)
            << outcome.err;
        const Outcome tally = runCli({ "tally", "--complete" }, outcome.out);
        EXPECT_EQ(tally.status, 0) << tally.err;
        EXPECT_NE(tally.out.find("faults 3@checkers-cli " + std::string(row.faults) + '\n'),
                  std::string::npos)
            << tally.out;
        EXPECT_EQ(runCli({ "replay" }, outcome.out).status, 0) << row.mode;
        // Each faulty process is ended and one started again for the next
        // game; none is left.
        std::ifstream groups(starts);
        int count = 0;
        for (int group; groups >> group; ++count)
            EXPECT_FALSE(groupIsLeft(group)) << row.mode;
        EXPECT_EQ(count, row.starts) << row.mode;
    }
}

// An engine that cannot be started again ends the match after the game it
// lost so, with what was played summed up and status 1.
TEST(Cli, EndsTheMatchWhenAnEngineCannotStartAgain)
{
    const std::string once = testing::TempDir() + "fake-engine-once";
    std::remove(once.c_str());
    setenv("FAKE_ENGINE_ONCE", once.c_str(), 1);
    const Outcome outcome
        = runCli({ "match", fakeEngine("once"), "2", "40", "1", "--pdn", "--sprt", "0,50" });
    unsetenv("FAKE_ENGINE_ONCE");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("[Termination \"White forfeits, crash: could not be started again: "
                               "exit status 1\"]"),
              std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.out.find("[Round \"2\"]"), std::string::npos);
    EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), "result 3@checkers-cli 2 0 1 0");
    EXPECT_EQ(outcome.err.substr(outcome.err.rfind('\n', outcome.err.size() - 2) + 1),
              "checkers-cli: 3@checkers-cli could not be started again, so the match ends: exit "
              "status 1\n");
    std::remove(once.c_str());
}

// What an engine started is ended with it, even a daemon in a session of
// its own; faults are counted as the games are, up to the test's stop.
TEST(Cli, LeavesNothingRunningAndCountsFaultsUpToTheStop)
{
    const std::string daemons = testing::TempDir() + "fake-engine-daemons";
    std::remove(daemons.c_str());
    setenv("FAKE_ENGINE_DAEMONS", daemons.c_str(), 1);
    EXPECT_EQ(runCli({ "match", fakeEngine("daemon"), "2", "2", "1", "-j2" }).status, 0);
    unsetenv("FAKE_ENGINE_DAEMONS");
    std::ifstream pids(daemons);
    int count = 0;
    for (int pid; pids >> pid; ++count)
        EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(pid))) << pid;
    EXPECT_GE(count, 2);

    const Outcome shard = runCli({ "match", fakeEngine("illegal"), "2", "40", "1", "--ballot",
                                   "--sprt", "0,50", "--games", "1-40", "--pdn" });
    const std::string faults = shard.err.substr(shard.err.find("faults "));
    EXPECT_EQ(faults, "faults 3@checkers-cli crashes 0 timeouts 0 illegal 28 broken 0\n");
    const Outcome tally = runCli({ "tally" }, shard.out);
    EXPECT_EQ(tally.out.substr(tally.out.find("faults ")), faults);
}

TEST(Cli, RefusesEnginesThatCannotPlay)
{
    const struct
    {
        std::string player;
        std::string error;
    } rows[] = {
        { "3@/nonexistent/engine",
          "checkers-cli: the engine '/nonexistent/engine' cannot play: cannot start: " },
        { fakeEngine("silent"), "checkers-cli: the engine 'bash " },
        { "3@", "checkers-cli: A names no engine command after its depth: '3@'\n" },
        { "10@engine",
          "checkers-cli: A must be poor, medium, good, a depth from 1 to 9 or "
          "DEPTH@COMMAND, not '10@engine'\n" },
        { "good@checkers-cli engine",
          "checkers-cli: A must be poor, medium, good, a depth from 1 to 9 or "
          "DEPTH@COMMAND, not 'good@checkers-cli engine'\n" },
    };
    for (const auto &row : rows) {
        const Outcome outcome = runCli({ "match", row.player, "3", "2", "1", "--timeout", "0.3" });
        EXPECT_EQ(outcome.status, 2) << row.player;
        EXPECT_EQ(outcome.err.substr(0, row.error.size()), row.error);
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(runCli({ "match", "3", "3", "2", "1", "--timeout", "0" }).status, 2);
}

// A parameter reaches each process of the engine it names, after the
// greeting and before init, and none reaches the one started to learn the
// engine's name; an engine that lists its parameters takes no other, and
// the engine command, which lists none, passes it over.
TEST(Cli, SetsTheParametersOfTheEngineNamed)
{
    const std::string log = testing::TempDir() + "fake-engine-params";
    const std::string tool = std::getenv("CHECKERS_CLI");
    const struct
    {
        std::string player;
        std::string param;
        std::string got;
        std::string error;
    } rows[] = {
        { fakeEngine("param"), "3@checkers-cli:Hash=64",
          "init\nset-param name=Hash value=64\ninit\n", "" },
        { "fast=" + fakeEngine("param"), "fast:Hash=8", "init\nset-param name=Hash value=8\ninit\n",
          "" },
        { "3@" + tool + " engine", "3@checkers-cli:Hash=1", "", "" },
        { fakeEngine("param"), "3@checkers-cli:Threads=2", "init\n",
          "the engine 3@checkers-cli has no parameter 'Threads': it lists Hash" },
        { fakeEngine("param"), "3@other:Hash=2", "init\n",
          "--param names '3@other', which is no engine player of the match (A is "
          "3@checkers-cli, B is 2)" },
    };
    for (const auto &row : rows) {
        std::remove(log.c_str());
        setenv("FAKE_ENGINE_PARAMS", log.c_str(), 1);
        const Outcome outcome
            = runCli({ "match", row.player, "2", "2", "9", "--param", row.param, "--pdn", "-j1" });
        unsetenv("FAKE_ENGINE_PARAMS");
        EXPECT_EQ(fileText(log), row.got) << row.param;
        if (!row.error.empty()) {
            EXPECT_EQ(outcome.status, 2);
            EXPECT_EQ(outcome.err, "checkers-cli: " + row.error + '\n');
            continue;
        }
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_NE(outcome.out.find(" --param " + row.param + "\"]"), std::string::npos)
            << outcome.out;
        EXPECT_EQ(runCli({ "tally", "--complete" }, outcome.out).status, 0);
    }
}

TEST(Cli, EndsItsEnginesOnCtrlC)
{
    const std::string starts = testing::TempDir() + "fake-engine-starts";
    std::remove(starts.c_str());
    setenv("FAKE_ENGINE_PIDS", starts.c_str(), 1);
    const std::string stem = stemOf();
    const pid_t child = startCli({ "match", fakeEngine("hang"), "3", "2", "1", "--jobs", "2" }, "",
                                 stem, Target::File);
    unsetenv("FAKE_ENGINE_PIDS");
    ASSERT_NE(child, -1);
    // The engine that greeted, then one for each job, both waited for.
    std::vector<int> groups;
    ASSERT_TRUE(awaitWhileRunning(child, stem, [&] {
        std::ifstream file(starts);
        groups.clear();
        for (int group; file >> group;)
            groups.push_back(group);
        return groups.size() >= 3;
    }));
    // The engines would answer no sooner than the 60 s time-out: the tool
    // must not wait for them.
    const auto interrupted = std::chrono::steady_clock::now();
    kill(child, SIGINT);
    const Outcome outcome = finishCli(child, stem);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(30));
    EXPECT_EQ(outcome.status, -SIGINT);
    EXPECT_EQ(outcome.out, "");
    for (const int group : groups)
        EXPECT_FALSE(groupIsLeft(group));
}

namespace {

// The clock comments of one game's turns, White's and Black's in turn: each
// clock is what the side had, less what the turn took, plus the increment.
void expectClocksAddUp(const std::string &pdn, double base, double increment)
{
    double left[2] = { base, base };
    int turn = 0;
    for (std::size_t at = pdn.find("[%clk "); at != std::string::npos;
         at = pdn.find("[%clk ", at + 1), ++turn) {
        int hours = 0, minutes = 0;
        double seconds = 0, used = 0;
        ASSERT_EQ(std::sscanf(pdn.c_str() + at, "[%%clk %d:%d:%lf] [%%emt %lf]", &hours, &minutes,
                              &seconds, &used),
                  4)
            << pdn.substr(at, 40);
        double &side = left[turn % 2];
        side += increment - used;
        EXPECT_NEAR(hours * 3600 + minutes * 60 + seconds, side, 0.011) << pdn.substr(at, 40);
    }
    EXPECT_GT(turn, 10);
}

} // namespace

// On a clock the built-in engine deepens its search as its time allows and
// loses no game on time; each turn's clock is written, adds up, and reads
// back; an engine that answers late loses on time.
TEST(Cli, PlaysOnAClock)
{
    const Outcome clock = runCli({ "match", "64", "64", "1", "3", "--tc", "0.5+0.01", "--pdn" });
    EXPECT_EQ(clock.status, 0) << clock.err;
    EXPECT_EQ(clock.err.find("faults"), std::string::npos) << clock.err;
    EXPECT_NE(clock.out.find("[Event \"checkers-cli match 64 64 1 3 --tc 0.5+0.01\"]"),
              std::string::npos);
    EXPECT_NE(clock.out.find("[TimeControl \"0.5+0.01\"]"), std::string::npos);
    expectClocksAddUp(clock.out, 0.5, 0.01);
    const Outcome tally = runCli({ "tally", "--complete" }, clock.out);
    EXPECT_EQ(tally.out.substr(0, tally.out.find('\n')), clock.err.substr(0, clock.err.find('\n')));
    EXPECT_EQ(runCli({ "replay" }, clock.out).status, 0);
    // Shards of a clock match add up; an engine's depth and score, from its
    // info lines, lead its comments.
    const std::string engine = std::string("64@") + std::getenv("CHECKERS_CLI") + " engine";
    const auto shard = [&engine](const std::string &range) {
        return runCli({ "match", engine, "64", "2", "3", "--movetime", "0.02", "--pdn", "--games",
                        range })
            .out;
    };
    const std::string shards = shard("2-2") + shard("1-1");
    EXPECT_EQ(runCli({ "tally", "--complete" }, shards).status, 0) << shards;
    const std::size_t comment = shards.find(" {");
    ASSERT_NE(comment, std::string::npos) << shards;
    EXPECT_NE(std::string("+-").find(shards[comment + 2]), std::string::npos) << shards;
    EXPECT_EQ(shards.compare(shards.find(' ', comment + 2), 7, " [%emt "), 0) << shards;

    const std::string log = testing::TempDir() + "protocol.log";
    const struct
    {
        const char *mode;
        std::vector<std::string> time;
        const char *sent;
    } late[] = {
        { "slow", { "--tc", "0.5" }, " > level time=0.5 inc=0 depth=3\n" },
        { "slow", { "--movetime", "0.3" }, " > level move-time=0.3 depth=3\n" },
    };
    for (const auto &row : late) {
        std::vector<std::string> arguments
            = { "match", fakeEngine(row.mode), "2", "2", "1", "--pdn", "-j1", "--log", log };
        arguments.insert(arguments.end(), row.time.begin(), row.time.end());
        const Outcome outcome = runCli(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_NE(outcome.out.find("[Termination \"White forfeits, time: out of time by 0.1"),
                  std::string::npos)
            << outcome.out;
        EXPECT_NE(outcome.err.find("faults 3@checkers-cli crashes 0 timeouts 2 illegal 0 broken 0"),
                  std::string::npos)
            << outcome.err;
        std::ifstream file(log);
        const std::string lines((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        EXPECT_NE(lines.find(" 1 3@checkers-cli" + std::string(row.sent)), std::string::npos)
            << lines;
        EXPECT_NE(lines.find(" 1 3@checkers-cli < id name=checkers-cli"), std::string::npos);
    }
    std::remove(log.c_str());
    const Outcome crowded = runCli({ "match", "1", "1", "2", "1", "--tc", "1", "-j", "256" });
    EXPECT_EQ(crowded.status, 0);
    EXPECT_EQ(crowded.err.rfind("checkers-cli: warning: 256 jobs on ", 0), 0u) << crowded.err;
}
