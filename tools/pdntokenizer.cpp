#include "pdntokenizer.h"

namespace {

constexpr int EndOfInput = std::char_traits<char>::eof();

bool isNameCharacter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

CPdnTokenizer::CPdnTokenizer(std::istream &in)
    : m_in(in)
{ }

CPdnTokenizer::Token CPdnTokenizer::next()
{
    Token token;
    if (!skipSeparators(token))
        return token;
    const int c = m_in.peek();
    if (c == EndOfInput)
        return token;
    return c == '[' ? readTag() : readWord();
}

bool CPdnTokenizer::isSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A word may touch a comment, as in "22-18{good}".
bool CPdnTokenizer::endsWord(int c)
{
    return c == EndOfInput || isSpace(c) || c == '{' || c == ';';
}

// The next byte, also kept in the token's text.
int CPdnTokenizer::get(Token &token)
{
    const int c = m_in.get();
    if (c != EndOfInput)
        token.text += static_cast<char>(c);
    return c;
}

bool CPdnTokenizer::skipSeparators(Token &bad)
{
    for (;;) {
        const int c = m_in.peek();
        if (isSpace(c)) {
            m_in.get();
        } else if (c == ';') {
            skipPast('\n');
        } else if (c == '{') {
            if (!skipPast('}')) {
                bad = CPdnTokenizer::bad(Token(Token::Bad, "{"), "the comment is not closed");
                return false;
            }
        } else {
            return true;
        }
    }
}

bool CPdnTokenizer::skipPast(char stop)
{
    for (;;) {
        const int c = m_in.get();
        if (c == stop)
            return true;
        if (c == EndOfInput)
            return false;
    }
}

void CPdnTokenizer::skipBlanks(Token &token)
{
    while (m_in.peek() == ' ' || m_in.peek() == '\t')
        get(token);
}

// [Name "value"], on one line; \" and \\ stand for a quote and a backslash.
CPdnTokenizer::Token CPdnTokenizer::readTag()
{
    Token token(Token::Tag);
    get(token);
    skipBlanks(token);
    if (!readTagName(token))
        return bad(token, "a tag needs a name of letters, digits and '_'");
    skipBlanks(token);
    if (get(token) != '"')
        return bad(token, "a tag's value must be in double quotes");
    if (!readTagValue(token))
        return bad(token, "the tag's value is not closed on its line");
    skipBlanks(token);
    if (get(token) != ']')
        return bad(token, "the tag is not closed with ']'");
    return token;
}

bool CPdnTokenizer::readTagName(Token &token)
{
    while (isNameCharacter(m_in.peek()))
        token.name += static_cast<char>(get(token));
    return !token.name.empty();
}

bool CPdnTokenizer::readTagValue(Token &token)
{
    for (;;) {
        int c = get(token);
        if (c == '"')
            return true;
        if (c == '\\')
            c = get(token);
        if (c == EndOfInput || c == '\n')
            return false;
        token.value += static_cast<char>(c);
    }
}

CPdnTokenizer::Token CPdnTokenizer::readWord()
{
    Token token(Token::Word);
    while (!endsWord(m_in.peek()))
        get(token);
    return token;
}

CPdnTokenizer::Token CPdnTokenizer::bad(Token token, const std::string &reason)
{
    token.kind = Token::Bad;
    token.reason = reason;
    return token;
}
