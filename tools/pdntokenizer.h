#ifndef CHECKERS_TOOLS_PDNTOKENIZER_H
#define CHECKERS_TOOLS_PDNTOKENIZER_H

#include <istream>
#include <string>
#include <utility>

// Splits PDN text into tags and words. White space, {comments} and
// ;comments (to the end of the line) only separate them; a comment never
// nests. Every byte is read once, so a text of any shape costs time in
// proportion to its length.
class CPdnTokenizer
{
public:
    struct Token
    {
        enum Kind { Word, Tag, End, Bad };

        explicit Token(Kind kind = End, std::string text = {})
            : kind(kind)
            , text(std::move(text))
        { }

        Kind kind;
        // As written: the word, the whole tag, or what was read of a bad one.
        std::string text;
        // A tag's name and its value with the escapes undone.
        std::string name;
        std::string value;
        // What is wrong with a bad one.
        std::string reason;
    };

    explicit CPdnTokenizer(std::istream &in);

    Token next();

private:
    static bool isSpace(int c);
    static bool endsWord(int c);
    int get(Token &token);
    // Skips white space and comments; false on a comment left open.
    bool skipSeparators(Token &bad);
    // Reads up to and including stop; false when the input ends first.
    bool skipPast(char stop);
    void skipBlanks(Token &token);
    Token readTag();
    bool readTagName(Token &token);
    bool readTagValue(Token &token);
    Token readWord();
    static Token bad(Token token, const std::string &reason);

    std::istream &m_in;
};

#endif
