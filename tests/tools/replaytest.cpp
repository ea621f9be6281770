#include "tools/commandline.h"
#include "tools/matchrunner.h"
#include "tools/pdnwriter.h"
#include "tools/position.h"
#include "tools/positiontext.h"
#include "tools/replaycommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Outcome
{
    int status;
    std::string out;
    std::string err;
};

// Runs replay through the command line, as the tool does, on input as its
// standard input.
Outcome replay(const std::string &input)
{
    std::istringstream in(input);
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CReplayCommand>(in));
    const CCommandLine commandLine(std::move(commands));
    std::ostringstream out, err;
    const int status = commandLine.run({ "replay" }, out, err);
    return { status, out.str(), err.str() };
}

// Forty-one king moves without a capture: the rules call it a draw.
std::string drawnGame()
{
    std::string game = "[FEN \"W:WK29:BK1\"]\n";
    for (int move = 1; move <= 20; ++move)
        game += std::to_string(move) + (move % 2 == 1 ? ". 29-25 1-5 " : ". 25-29 5-1 ");
    return game + "21. 29-25 1/2-1/2\n";
}

} // namespace

TEST(Replay, ReadsGamesAsPeopleWriteThem)
{
    const std::string games =
        // Tags in any order, both kinds of comment, numbers with and without
        // a space, "1..." after a comment, line breaks anywhere.
        "[Result \"*\"]\n[GameType \"0,W,8,8,N1,0\"]\n[Event \"Club \\\"night\\\"\"]\n\n"
        "1.22-18 {a classic\n opening} 1... 11-15\n2.\n18x11 ; forced\n8x15 *\n\n"
        // The short form of a double capture, taking Black's last pieces.
        "[SetUp \"1\"]\n[FEN \"W:W30:B18,26\"]\n1. 30x14 1-0\n\n"
        // Every landing square written; a game left unfinished.
        "[FEN \"W:W30:B18,26,K1\"] 1. 30x23x14 *\n"
        // A capture sequence that another man finishes; a king must take.
        "[FEN \"W:W30,31:B18,26,27,K1\"] 1. 30x23 31x24 1... 1x28 *\n"
        // Black to move, ranges and kings, a game started at move 7.
        "[FEN \"B:WK29:B1-4\"] 7... 4-8 8. 29x4 *\n"
        + drawnGame();
    const Outcome outcome = replay(games);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "bbbbbbb.bb.b..b.....w.wwwwwwwwww w - 0 *\n"
              ".............w.................. b - 0 1-0\n"
              "B............w.................. b - 0 *\n"
              ".................b....w....B.... w - 0 *\n"
              "bbbW............................ b - 0 *\n"
              "B.......................W....... b - 41 1/2-1/2\n");
}

// Each bad game follows a good one, which is printed before the error.
TEST(Replay, RefusesBadInputNamingGameMoveAndText)
{
    const std::pair<std::string, std::string> cases[] = {
        { "1. 22-19 *", "game 2, move 1, '22-19': the rules do not allow 22-19" },
        { "1. 22-18 11-15 2. 18-11 *",
          "game 2, move 2, '18-11': 18-11 takes a piece: write 18x11" },
        { "[FEN \"W:W30:B17,18,25,26\"] 1. 30x14 *",
          "game 2, move 1, '30x14': more than one capture sequence joins 30 and 14" },
        { "[FEN \"W:W30:B18,26,K1\"] 1. 30x5 *",
          "game 2, move 1, '30x5': no capture sequence joins 30 and 5" },
        { "[FEN \"W:W30:B18,26,K1\"] 1. 30x23x14x5 *",
          "game 2, move 1, '30x23x14x5': the capture ends on 14" },
        { "[Event \"Club]\n1. 22-18 *",
          "game 2, move 1, '[Event \"Club]\\x0a': the tag's value is not closed on its line" },
        { "[FEN \"W:W21,K32:B1,1\"] *",
          "game 2, move 1, '[FEN \"W:W21,K32:B1,1\"]': impossible FEN: square 1 is given twice" },
        { "[FEN \"W:W2:B12\"] *",
          "game 2, move 1, '[FEN \"W:W2:B12\"]': impossible FEN: a white man on 2 would have "
          "been crowned there" },
        { "[GameType \"21\"] *",
          "game 2, move 1, '[GameType \"21\"]': another game: this one has White moving first on "
          "an 8x8 board with numbered squares" },
        { "1. 22-18 11-15 2. \x1b[2J *",
          "game 2, move 2, '\\x1b[2J': neither a move, a move number nor a result" },
        { std::string(100, '7'),
          "game 2, move 1, '7777777777777777777777777777777777777777...': neither a move, a move "
          "number nor a result" },
        { "1. 22-18 11-15 3. 18x11 *", "game 2, move 2, '3.': this is move 2" },
        { "1. 22-18 1-0",
          "game 2, move 1, '1-0': the rules have not ended the game, so its result is *" },
        { "[Result \"0-1\"] 1. 22-18 *", "game 2, move 1, '*': the Result tag says 0-1" },
        { "[FEN \"W:W18:B14\"] 1. 18x9 0-1",
          "game 2, move 1, '0-1': the rules ended the game with 1-0" },
        { "[FEN \"W:W18:B14\"] 1. 18x9 9-5 1-0",
          "game 2, move 1, '9-5': the rules ended the game with 1-0" },
        { "1. 22-18\n\n[Event \"next\"]",
          "game 2, move 1, '[Event \"next\"]': a tag after the move text: the game has no result "
          "token" },
        { "1. 22-18 {", "game 2, move 1, '{': the comment is not closed" },
    };
    for (const auto &[game, error] : cases) {
        const Outcome outcome = replay("1. 22-18 *\n\n" + game);
        EXPECT_EQ(outcome.status, CCommandLine::BadInput) << game;
        EXPECT_EQ(outcome.out, "bbbbbbbbbbbb.....w..w.wwwwwwwwww b - 1 *\n") << game;
        EXPECT_EQ(outcome.err, "checkers-cli: " + error + "\n");
    }
    EXPECT_EQ(replay(" {nothing}\n").err, "checkers-cli: the input holds no game\n");
}

// A thousand quick games, a few of them with a capture sequence that another
// piece goes on with: each reads back to where playing its steps leads.
TEST(Replay, ReadsBackEveryGameMatchWrites)
{
    std::string pdn, expected;
    CMatchRunner(1, 2, 5).run(
        1000, 2,
        [&](const CMatchGame &game) {
            pdn += CPdnWriter::write({ "match", "?", "2026.12.07", game.number(), "A", "B" },
                                     game.steps(), game.result())
                + "\n";
            CPosition position;
            for (const auto &[from, to] : game.steps())
                ASSERT_TRUE(position.makeMove(from, to));
            ASSERT_EQ(position.result(), game.result());
            expected += CPositionText::format(position) + ' '
                + CPdnWriter::resultToken(game.result()) + '\n';
        },
        [](int) {});
    const Outcome outcome = replay(pdn);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, expected);
}
