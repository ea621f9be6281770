#include "pdntokenizer.h"

namespace {

constexpr int EndOfInput = std::char_traits<char>::eof();
// The UTF-8 byte-order mark, EF BB BF, that some editors put first.
constexpr int ByteOrderMark[] = { 0xef, 0xbb, 0xbf };

bool isNameCharacter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool isStrength(int c)
{
    return c == '!' || c == '?';
}

bool isBlank(int c)
{
    return c == ' ' || c == '\t';
}

// A move may go on after a blank that follows its separator, as in "2- 6".
bool endsInSeparator(const std::string &word)
{
    return !word.empty() && (word.back() == '-' || word.back() == 'x' || word.back() == ':');
}

void keep(std::string &text, int c, std::size_t limit)
{
    if (text.size() <= limit)
        text += static_cast<char>(c);
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
    switch (m_in.peek()) {
    case EndOfInput:
        return token;
    case '[':
        return readTag();
    case '(':
    case ')':
        return readParenthesis();
    case '$':
        return readNag();
    case '!':
    case '?':
        return readStrength();
    default:
        return readWord();
    }
}

bool CPdnTokenizer::isSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A word may touch a comment, a NAG, a strength or a parenthesis, as in
// "22-18{good}" or "23-19!".
bool CPdnTokenizer::endsWord(int c)
{
    return c == EndOfInput || isSpace(c) || c == '{' || c == ';' || c == '(' || c == ')' || c == '['
        || c == '$' || isStrength(c);
}

// The next byte, also kept, up to MaxText, in the token's text.
int CPdnTokenizer::get(Token &token)
{
    const int c = m_in.get();
    if (c != EndOfInput)
        keep(token.text, c, MaxText);
    m_atLineStart = c == '\n' || c == '\r';
    return c;
}

bool CPdnTokenizer::skipSeparators(Token &bad)
{
    Token skipped;
    for (;;) {
        const int c = m_in.peek();
        if (isSpace(c) || (c == '%' && m_atLineStart) || c == ';') {
            if (isSpace(get(skipped)))
                continue;
            skipPast('\n');
        } else if (c == '{') {
            if (!skipPast('}')) {
                bad = CPdnTokenizer::bad(Token(Token::Bad), "the comment is not closed");
                bad.text = "{";
                return false;
            }
        } else if (c == ByteOrderMark[0]) {
            if (!skipByteOrderMark()) {
                bad = CPdnTokenizer::bad(readWord(), "neither a move, a move number nor a result");
                return false;
            }
        } else {
            return true;
        }
        skipped.text.clear();
    }
}

// Only the whole mark is skipped; any other byte is left for a word.
bool CPdnTokenizer::skipByteOrderMark()
{
    const bool atLineStart = m_atLineStart;
    for (const int byte : ByteOrderMark) {
        if (m_in.peek() != byte)
            return false;
        m_in.get();
    }
    m_atLineStart = atLineStart;
    return true;
}

// A line ends at a line feed or, in old files, a carriage return.
bool CPdnTokenizer::skipPast(char stop)
{
    Token skipped;
    for (;;) {
        const int c = get(skipped);
        skipped.text.clear();
        if (c == stop || (stop == '\n' && c == '\r'))
            return true;
        if (c == EndOfInput)
            return false;
    }
}

void CPdnTokenizer::skipBlanks(Token &token)
{
    while (isBlank(m_in.peek()))
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
    if (token.value.size() > MaxTagValue)
        return bad(token,
                   "the tag's value is longer than " + std::to_string(MaxTagValue) + " bytes");
    return token;
}

bool CPdnTokenizer::readTagName(Token &token)
{
    while (isNameCharacter(m_in.peek()))
        keep(token.name, get(token), MaxText);
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
        if (c == EndOfInput || c == '\n' || c == '\r')
            return false;
        keep(token.value, c, MaxTagValue);
    }
}

// "(" opens a variation unless a move strength follows it, as in "(!?)".
CPdnTokenizer::Token CPdnTokenizer::readParenthesis()
{
    Token token(Token::Close);
    if (get(token) == ')')
        return token;
    token.kind = Token::Open;
    if (!isStrength(m_in.peek()))
        return token;
    token.kind = Token::Strength;
    while (isStrength(m_in.peek()))
        get(token);
    if (get(token) != ')')
        return bad(token, "a move strength in parentheses ends with ')'");
    return token;
}

CPdnTokenizer::Token CPdnTokenizer::readNag()
{
    Token token(Token::Nag);
    get(token);
    if (!isDigit(m_in.peek()))
        return bad(token, "a NAG is '$' and a number");
    while (isDigit(m_in.peek()))
        get(token);
    return token;
}

CPdnTokenizer::Token CPdnTokenizer::readStrength()
{
    Token token(Token::Strength);
    while (isStrength(m_in.peek()))
        get(token);
    return token;
}

// A move, a result, or a move number, which ends at its dots even when a
// move follows at once, as in "1.22-18". The word without its blanks is
// the token's value.
CPdnTokenizer::Token CPdnTokenizer::readWord()
{
    Token token(Token::Move);
    bool digitsOnly = true;
    for (;;) {
        const int c = m_in.peek();
        if (c == '.' && digitsOnly) {
            while (m_in.peek() == '.')
                get(token);
            token.kind = Token::MoveNumber;
            return token;
        }
        if (isBlank(c) && endsInSeparator(token.value)) {
            skipBlanks(token);
            continue;
        }
        if (endsWord(c))
            break;
        digitsOnly = digitsOnly && isDigit(c);
        keep(token.value, get(token), MaxWord);
    }
    if (token.value.size() > MaxWord)
        return bad(token, "a word longer than " + std::to_string(MaxWord) + " bytes");
    token.kind = isResult(token.value) ? Token::Result : Token::Move;
    return token;
}

bool CPdnTokenizer::isResult(const std::string &word)
{
    for (const char *result : { "1-0", "0-1", "1/2-1/2", "2-0", "1-1", "0-2", "0-0", "*" }) {
        if (word == result)
            return true;
    }
    return false;
}

CPdnTokenizer::Token CPdnTokenizer::bad(Token token, const std::string &reason)
{
    token.kind = Token::Bad;
    token.reason = reason;
    return token;
}
