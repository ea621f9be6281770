#ifndef CHECKERS_TOOLS_PDNREADER_H
#define CHECKERS_TOOLS_PDNREADER_H

#include "pdntokenizer.h"
#include "position.h"

#include <istream>
#include <map>
#include <string>
#include <vector>

// Reads the games of a PDN text one after another and plays every move
// through the rules. A game is its tags, in any order, then its move text,
// ended by its result token; blank lines play no part. Squares are 1 to 32,
// the rules' 0 to 31 plus one. A game must end where the rules end it, with
// their result, or carry "*" while they have not ended it.
class CPdnReader
{
public:
    enum Outcome { GameRead, NoMoreGames, BadInput };

    explicit CPdnReader(std::istream &in);

    Outcome readGame();
    // The last game read: where it ended and its result token.
    const CPosition &position() const { return m_position; }
    const std::string &result() const { return m_result; }
    // After BadInput: the game and move numbers, the offending text and
    // what is wrong with it, in one line.
    const std::string &error() const { return m_error; }

private:
    using Token = CPdnTokenizer::Token;

    void startGame();
    bool readToken(const Token &token);
    bool readTag(const Token &token);
    bool checkTagValue(const Token &token);
    bool startMoves();
    bool readWord(const std::string &word);
    bool readMoveNumber(const std::string &text, std::string::size_type digits);
    bool readMove(const std::string &text);
    bool readSquares(const std::string &text, std::vector<int> &squares, char &separator);
    bool playSteps(const std::string &text, const std::vector<int> &squares, bool capture);
    bool playStep(const std::string &text, int from, int to, bool capture);
    bool playCapture(const std::string &text, int from, int to);
    bool finish(const std::string &token);
    bool fail(const std::string &text, const std::string &reason);
    const Token *tag(const std::string &name) const;

    CPdnTokenizer m_tokens;
    int m_gameNumber = 0;
    // The number of the move being read, White's and Black's moves sharing one.
    int m_moveNumber = 1;
    bool m_numbered = false;
    bool m_inMoveText = false;
    std::map<std::string, Token> m_tags;
    CPosition m_position;
    std::string m_result;
    std::string m_error;
};

#endif
