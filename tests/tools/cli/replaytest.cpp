#include "tools/cli/commandline.h"
#include "tools/cli/replaycommand.h"
#include "tools/match/matchrunner.h"
#include "tools/match/searchplayer.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/position/position.h"
#include "tools/position/positiontext.h"

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
Outcome replay(const std::string &input, const std::vector<std::string> &arguments = { "replay" })
{
    std::istringstream in(input);
    CCommandLine::CommandList commands;
    commands.push_back(std::make_unique<CReplayCommand>(in));
    const CCommandLine commandLine(std::move(commands));
    std::ostringstream out, err;
    const int status = commandLine.run(arguments, out, err);
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

// Tags of as many different names.
std::string manyTags(int count)
{
    std::string tags;
    for (int tag = 0; tag < count; ++tag)
        tags += "[T" + std::to_string(tag) + " \"\"]\n";
    return tags;
}

} // namespace

TEST(Replay, ReadsGamesAsPeopleWriteThem)
{
    const std::string games =
        // Tags in any order, both kinds of comment, numbers with and without
        // a space, "1..." after a comment, line breaks anywhere.
        "[Result \"*\"]\n[GameType \"99,W,8,8,N2,0\"]\n[Event \"Club \\\"night\\\"\"]\n\n"
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

// One game for each form of the reading grammar that real files use, and
// for results that people, not the rules, decide.
TEST(Replay, ReadsEveryFormOfTheGrammar)
{
    const std::string opening = "bbbbbbb.bb.b..b.....w.wwwwwwwwww w - 0 *";
    const std::string afterOne = "bbbbbbbbbbbb.....w..w.wwwwwwwwww b - 1 ";
    const std::pair<std::string, std::string> cases[] = {
        { "1. 22-18 $1 11-15 $14 2. 18x11 $3 8x15 *", opening },
        { manyTags(1000) + "1. 22-18 11-15 2. 18x11 8x15 *", opening },
        { "1. 22-18! 11-15(!?) 2. 18x11?! 8x15 (?!) *", opening },
        { "%a line left to another program\n1. 22-18 11-15 2. 18x11 8x15 *", opening },
        { "\xef\xbb\xbf[Event \"e\"]\r\n1. 22-18 11-15 2. 18:11 8:15 *", opening },
        { "1. 22- 18 11- 15 2. 18x 11 8x\t15 *", opening },
        { "1. 22-18{good} 11-15 2.18x11 8x15 *", opening },
        { "[GameType \"99,W,8,8,A0,0\"] 1. c3-d4 f6-e5 2. d4xf6 g7xe5 *", opening },
        { "1. c3-d4 11-15 2. 18x11 8x15 *", opening },
        { "[FEN \"B:WK29:B1-4\"] 7. ... 4-8 8. 29x4 *",
          "bbbW............................ b - 0 *" },
        { "[FEN \"B:WK29:B1-4\"] 1. 4-8 29x4 *", "bbbW............................ b - 0 *" },
        { "[FEN \"B:WK29:BK1:H39:F12.\"] 12... 1-5 *",
          "....B.......................W... w - 40 *" },
        // Variations nest; each starts where the move it replaces was played.
        { "1. 22-18 (1. 23-19 11-16 (1... 9-13 (1... 10-14) 2. 19-15) ) (1. 21-17) 11-15 "
          "2. 18x11 8x15 *",
          opening },
        { "1. 22-18 11-15 (1... 9-14) (1... 10-14) 2. 18x11 8x15 *", opening },
        { "1. 22-18 1-0", afterOne + "1-0" },
        { "[Result \"2-0\"] 1. 22-18 2-0", afterOne + "1-0" },
        { "1. 22-18 1-1", afterOne + "1/2-1/2" },
        { "[Result \"0-2\"] 1. 22-18 0-2", afterOne + "0-1" },
        { "1. 22-18 0-0", afterOne + "0-0" },
    };
    for (const auto &[game, line] : cases) {
        const Outcome outcome = replay(game);
        EXPECT_EQ(outcome.err, "") << game;
        EXPECT_EQ(outcome.out, line + "\n") << game;
    }
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
        { "[FEN \"W:W18:B29\"] *",
          "game 2, move 1, '[FEN \"W:W18:B29\"]': impossible FEN: a black man on 29 would have "
          "been crowned there" },
        { "[FEN \"W:W29:B22,25\"] *",
          "game 2, move 1, '[FEN \"W:W29:B22,25\"]': impossible FEN: white is to move and has no "
          "move" },
        { "[FEN \"W:WK29:BK1:H41\"] *",
          "game 2, move 1, '[FEN \"W:WK29:BK1:H41\"]': impossible FEN: 'H41' is neither H and the "
          "moves without a capture, 0 to 40, nor F and the first move's number" },
        { "[FEN \"W:W30:B10,18,26\"] 1. 30x14 *",
          "game 2, move 1, '30x14': no capture sequence joins 30 and 14" },
        { "[FEN \"W:WK29:BK1:F12\"] 29-30 *",
          "game 2, move 12, '29-30': the rules do not allow 29-30" },
        // Every tag is read before any is judged, the game's type first.
        { "[Result \"1-1\"]\n[Result \"9\"]\n[GameType \"25\"] 1. 22-18 1-1",
          "game 2, move 1, '[GameType \"25\"]': GameType 25 is Russian draughts; this tool reads "
          "draughts with White moving first on 8x8 with flying kings: GameType 99,W,8,8,N2,0" },
        { "[GameType \"22,W,8,8,N2,1\"] *",
          "game 2, move 1, '[GameType \"22,W,8,8,N2,1\"]': GameType 22 is Italian draughts; this "
          "tool reads draughts with White moving first on 8x8 with flying kings: GameType "
          "99,W,8,8,N2,0" },
        { "[Event \"e\"]\n[GameType \"20\"]",
          "game 2, move 1, '[GameType \"20\"]': GameType 20 is international draughts; this tool "
          "reads draughts with White moving first on 8x8 with flying kings: GameType "
          "99,W,8,8,N2,0" },
        { "[GameType \"99,B,8,8,N2,0\"] *",
          "game 2, move 1, '[GameType \"99,B,8,8,N2,0\"]': GameType 99,B,8,8,N2,0: the start "
          "colour is B, not W; this game is 99,W,8,8,N2,0" },
        { "[GameType \"0,W,8,8,N1,0\"] *",
          "game 2, move 1, '[GameType \"0,W,8,8,N1,0\"]': GameType 0,W,8,8,N1,0: the notation is "
          "N1, not N2 or A0; this game is 99,W,8,8,N2,0" },
        { "[GameType \"99,W,8,8,N2,1\"] *",
          "game 2, move 1, '[GameType \"99,W,8,8,N2,1\"]': GameType 99,W,8,8,N2,1: the invert "
          "flag is 1, not 0; this game is 99,W,8,8,N2,0" },
        { "[GameType \"99,B,10,10\"] *",
          "game 2, move 1, '[GameType \"99,B,10,10\"]': GameType is "
          "TYPE[,COLOUR,WIDTH,HEIGHT,NOTATION[,INVERT]], not '99,B,10,10'" },
        { "1. 11-15 *",
          "game 2, move 1, '11-15': the rules do not allow 11-15; White moves first in this game" },
        { "1. 22-18 (1. 22-18 11-15 2. 18-11) *",
          "game 2, move 2, '18-11': 18-11 takes a piece: write 18x11" },
        { "1. 22-18 (1. 23-19 *", "game 2, move 1, '*': the game ends inside a variation" },
        { "1. 22-18 ((1. 23-19)) *",
          "game 2, move 1, '(': a variation replaces a move, and none comes before it" },
        { "1. 22-18 ) *", "game 2, move 1, ')': no variation is open" },
        { "1. b2-b3 *", "game 2, move 1, 'b2-b3': b3 is not a playing square" },
        { "[Event \"" + std::string(5000, 'e') + "\"] *",
          "game 2, move 1, '[Event \"eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee...': the tag's value is "
          "longer than 4096 bytes" },
        { "1. 22-18 11-15 2. \x1b[2J *",
          "game 2, move 2, '\\x1b': neither a move, a move number nor a result" },
        { std::string(100, '7'),
          "game 2, move 1, '7777777777777777777777777777777777777777...': neither a move, a move "
          "number nor a result" },
        { "[Result \"0-1\"] 1. 22-18 *", "game 2, move 1, '*': the Result tag says 0-1" },
        { "[FEN \"W:W18:B14\"] 1. 18x9 0-1",
          "game 2, move 1, '0-1': the rules ended the game with 1-0" },
        { "[FEN \"W:W18:B14\"] [Result \"0-1\"] 1. 18x9 0-1",
          "game 2, move 1, '0-1': the rules ended the game with 1-0" },
        { "[FEN \"W:W18:B14\"] 1. 18x9 9-5 1-0",
          "game 2, move 1, '9-5': the rules ended the game with 1-0" },
        { "1. 22-18\n\n[Event \"next\"]",
          "game 2, move 1, '[Event \"next\"]': a tag after the move text: the game has no result "
          "token" },
        { "1. 22-18 {", "game 2, move 1, '{': the comment is not closed" },
        { manyTags(1001) + "*", "game 2, move 1, '[T1000 \"\"]': a game holds at most 1000 tags" },
    };
    for (const auto &[game, error] : cases) {
        const Outcome outcome = replay("1. 22-18 *\n\n" + game);
        EXPECT_EQ(outcome.status, CCommandLine::BadInput) << game;
        EXPECT_EQ(outcome.out, "bbbbbbbbbbbb.....w..w.wwwwwwwwww b - 1 *\n") << game;
        EXPECT_EQ(outcome.err, "checkers-cli: " + error + "\n");
    }
    EXPECT_EQ(replay(" {nothing}\n").err, "checkers-cli: the input holds no game\n");
}

// A bad game is skipped to its result, or to the tags of the next game when
// it has none; the count comes last.
TEST(Replay, KeepsGoingPastBadGames)
{
    const std::string games = "1. 22-19 11-15 *\n1. 22-18 *\n1. 23-19\n[Event \"e\"] 1. 21-17 *\n"
                              "1. 24-20 (1. 11-15) *";
    const Outcome outcome = replay(games, { "replay", "--keep-going" });
    EXPECT_EQ(outcome.status, CCommandLine::BadInput);
    EXPECT_EQ(outcome.out,
              "bbbbbbbbbbbb.....w..w.wwwwwwwwww b - 1 *\n"
              "bbbbbbbbbbbb....w....wwwwwwwwwww b - 1 *\n");
    EXPECT_EQ(outcome.err,
              "checkers-cli: game 1, move 1, '22-19': the rules do not allow 22-19\n"
              "checkers-cli: game 3, move 1, '[Event \"e\"]': a tag after the move text: the game "
              "has no result token\n"
              "checkers-cli: game 5, move 1, '11-15': the rules do not allow 11-15\n"
              "checkers-cli: 5 games, 3 bad\n");
    EXPECT_EQ(replay(games).err,
              "checkers-cli: game 1, move 1, '22-19': the rules do not allow 22-19\n");
    const Outcome oneBad = replay("1. 22-19 *\n1. 22-18 *", { "replay", "--keep-going" });
    EXPECT_EQ(oneBad.status, CCommandLine::BadInput);
    EXPECT_EQ(oneBad.err.substr(oneBad.err.rfind(':')), ": 2 games, 1 bad\n");
}

// A thousand quick games, a few of them with a capture sequence that another
// piece goes on with: each reads back to where playing its steps leads.
TEST(Replay, ReadsBackEveryGameMatchWrites)
{
    std::string pdn, expected;
    const auto depthsOneAndTwo = [](int) {
        return CMatchRunner::Seats { std::make_shared<CSearchPlayer>(1),
                                     std::make_shared<CSearchPlayer>(2) };
    };
    CMatchRunner(CMatchRunner::seated(depthsOneAndTwo, 5, {}))
        .run(
            1, 1000, 2,
            [&](const CMatchGame &game) {
                pdn += CPdnWriter::write(
                           { "match", "?", "2026.12.07", game.number(), "A", "B", "", "" },
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
