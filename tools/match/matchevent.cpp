#include "matchevent.h"

#include "tools/position/numbertext.h"

#include <cstdint>
#include <sstream>

namespace {

const std::string Prefix = "checkers-cli match";

} // namespace

std::string CMatchEvent::text(const std::vector<std::string> &arguments)
{
    std::string text = Prefix;
    for (const std::string &argument : arguments)
        text += ' ' + argument;
    return text;
}

// Single spaces only, as text() joins the words, so that one match has one
// tag.
bool CMatchEvent::parse(const std::string &text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; std::getline(stream, word, ' ');)
        words.push_back(word);
    std::uint32_t seed;
    int games;
    if (words.size() != 6 || words[0] + ' ' + words[1] != Prefix || words[2].empty()
        || words[3].empty() || !CNumberText::parse(words[4], games) || games < 1
        || !CNumberText::parse(words[5], seed) || text.back() == ' ')
        return false;
    m_a = words[2];
    m_b = words[3];
    m_games = games;
    return true;
}
