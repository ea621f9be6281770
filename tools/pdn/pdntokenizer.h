#ifndef CHECKERS_TOOLS_PDN_PDNTOKENIZER_H
#define CHECKERS_TOOLS_PDN_PDNTOKENIZER_H

#include <cstddef>
#include <istream>
#include <string>
#include <utility>

// Splits PDN text into tokens, knowing nothing of the rules: tags, move
// numbers, moves, results, NAGs, move strengths and the parentheses of
// variations. White space, a byte-order mark, {comments}, ;comments and
// lines starting with '%' only separate them; a comment never nests. Every
// byte is read once and none is kept beyond the limits below, so memory
// stays flat however long the text, a comment or a tag.
class CPdnTokenizer
{
public:
    // No real tag comes near this; a FEN of 24 pieces is under 100 bytes.
    static constexpr std::size_t MaxTagValue = 4096;
    // The longest move, twelve captures written with blanks, is far shorter.
    static constexpr std::size_t MaxWord = 256;
    // What a token keeps of its text as written, for an error to quote.
    static constexpr std::size_t MaxText = 64;

    struct Token
    {
        // MoveNumber is "12.", "12...", or "..." standing for a move;
        // Strength is a run of '!' and '?', bare or in parentheses; Open and
        // Close are a variation's parentheses.
        enum Kind { Tag, MoveNumber, Move, Result, Nag, Strength, Open, Close, End, Bad };

        explicit Token(Kind kind = End)
            : kind(kind)
        { }

        Kind kind;
        // As written, cut at MaxText: the word, the whole tag, or what was
        // read of a bad one.
        std::string text;
        // A tag's name and its value with the escapes undone.
        std::string name;
        std::string value;
        // What is wrong with a bad one.
        std::string reason;
    };

    explicit CPdnTokenizer(std::istream &in);

    Token next();
    // 1-0, 0-1, 1/2-1/2, the international 2-0, 1-1, 0-2, the double
    // forfeit 0-0, or * for a game not ended.
    static bool isResult(const std::string &word);

private:
    static bool isSpace(int c);
    static bool endsWord(int c);
    int get(Token &token);
    // Skips white space and comments; false on a comment left open.
    bool skipSeparators(Token &bad);
    bool skipByteOrderMark();
    // Reads up to and including stop; false when the input ends first.
    bool skipPast(char stop);
    void skipBlanks(Token &token);
    Token readTag();
    bool readTagName(Token &token);
    bool readTagValue(Token &token);
    Token readParenthesis();
    Token readNag();
    Token readStrength();
    Token readWord();
    static Token bad(Token token, const std::string &reason);

    std::istream &m_in;
    bool m_atLineStart = true;
};

#endif
