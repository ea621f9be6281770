#ifndef CHECKERS_TOOLS_PDN_PDNREADER_H
#define CHECKERS_TOOLS_PDN_PDNREADER_H

#include "pdnlines.h"
#include "pdntokenizer.h"
#include "tools/position/position.h"

#include <istream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Gives the tokens of a PDN text their meaning, game by game: reads every
// tag before judging any, then plays each move of the main line and of its
// variations through the rules. Move numbers are labels, NAGs and move
// strengths are read and left. A result must agree with the rules where they
// ended the game; where they did not, it is the players' and stands. After a
// bad game the next call reads on from the game after it.
class CPdnReader
{
public:
    enum Outcome { GameRead, NoMoreGames, BadInput };

    // A game's tags are kept until its moves are read; each is bounded, and
    // so is their number, so that memory holds one game of any input.
    static constexpr std::size_t MaxTags = 1000;

    explicit CPdnReader(std::istream &in);

    Outcome readGame();
    // The last game read: where its main line ended and its result token,
    // 2-0, 1-1 and 0-2 written the standard way.
    const CPosition &position() const { return m_lines.current(); }
    const std::string &result() const { return m_result; }
    // The move steps of its main line from its start position, each step
    // of a multi-jump one, and the number of the move after them.
    const std::vector<std::pair<int, int>> &mainLine() const { return m_mainLine; }
    int moveNumber() const { return m_moveNumber; }
    // The value of one of the last game's tags; empty without it.
    std::string tagValue(const std::string &name) const;
    // After BadInput: the game and move numbers, the offending text and
    // what is wrong with it, in one line.
    const std::string &error() const { return m_error; }

private:
    using Token = CPdnTokenizer::Token;

    Token nextToken();
    void startGame();
    void skipBadGame();
    bool readToken(const Token &token);
    bool readTag(const Token &token);
    bool startMoves();
    bool checkTags();
    bool checkFen();
    void readMoveNumber(const Token &token);
    bool readMove(const Token &token);
    std::string blackFirstHint(const CPdnMove &move) const;
    bool finish(const Token &token);
    bool fail(const std::string &text, const std::string &reason);
    const Token *tag(const std::string &name) const;

    CPdnTokenizer m_tokens;
    // A tag that ended a game without a result, read again as the next
    // game's first.
    std::optional<Token> m_readAhead;
    bool m_skipRest = false;
    int m_gameNumber = 0;
    // The number of the move being read, White's and Black's moves sharing
    // one; a move number's label sets it.
    int m_moveNumber = 1;
    std::vector<std::pair<int, int>> m_mainLine;
    bool m_inMoveText = false;
    std::map<std::string, Token> m_tags;
    // The first tag given twice, judged after GameType.
    std::optional<Token> m_repeatedTag;
    CPdnLines m_lines;
    std::string m_result;
    std::string m_error;
};

#endif
