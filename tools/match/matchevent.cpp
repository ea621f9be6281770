#include "matchevent.h"

#include "tools/position/numbertext.h"

#include <cstdint>

namespace {

const std::string Prefix = "checkers-cli match";
const std::string Ballot = " --ballot";
const std::string Openings = " --openings ";
const std::string Sprt = " --sprt ";

// An engine's command holds blanks: such a word stands in single quotes.
std::string wordText(const std::string &word)
{
    return word.find(' ') == std::string::npos ? word : '\'' + word + '\'';
}

// The blank-separated words, a blank in single quotes taken as part of one;
// parse() takes only a tag that text() writes back the same.
std::vector<std::string> wordsOf(const std::string &text)
{
    std::vector<std::string> words(1);
    bool quoted = false;
    for (const char c : text) {
        if (c == '\'')
            quoted = !quoted;
        else if (c == ' ' && !quoted)
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

// Where the options start: after the quoted words, which may hold " --".
std::string::size_type optionsOf(const std::string &text)
{
    bool quoted = false;
    for (std::string::size_type at = 0; at < text.size(); ++at) {
        if (text[at] == '\'')
            quoted = !quoted;
        else if (!quoted && text.compare(at, 3, " --") == 0)
            return at;
    }
    return std::string::npos;
}

} // namespace

std::string CMatchEvent::text(const std::vector<std::string> &arguments, const Setup &setup)
{
    std::string text = Prefix;
    for (const std::string &argument : arguments)
        text += ' ' + wordText(argument);
    if (setup.ballot)
        text += Ballot;
    else if (!setup.openings.empty())
        text += Openings + setup.openings;
    if (setup.sprt)
        text += ' ' + sprtText(*setup.sprt);
    return text;
}

std::string CMatchEvent::sprtText(const CSprt::Settings &settings)
{
    return "--sprt " + CNumberText::format(settings.elo0) + ',' + CNumberText::format(settings.elo1)
        + " --alpha " + CNumberText::format(settings.alpha) + " --beta "
        + CNumberText::format(settings.beta) + " --elo-model " + CSprt::modelName(settings.model);
}

// Whatever it holds, the tag must be the one text() writes for it, so that
// one match has one tag.
bool CMatchEvent::parse(const std::string &text)
{
    const std::string::size_type optionsAt = optionsOf(text);
    const std::vector<std::string> words = wordsOf(text.substr(0, optionsAt));
    std::uint32_t seed;
    int games;
    if (words.size() != 6 || words[0] + ' ' + words[1] != Prefix || words[2].empty()
        || words[3].empty() || !CNumberText::parse(words[4], games) || games < 1
        || !CNumberText::parse(words[5], seed))
        return false;
    std::string rest = optionsAt == std::string::npos ? "" : text.substr(optionsAt);
    Setup setup;
    const std::string::size_type sprtAt = rest.rfind(Sprt);
    if (sprtAt != std::string::npos) {
        if (!parseSprt(rest.substr(sprtAt + 1), setup.sprt))
            return false;
        rest.erase(sprtAt);
    }
    setup.ballot = rest == Ballot;
    if (rest.rfind(Openings, 0) == 0)
        setup.openings = rest.substr(Openings.size());
    const std::vector<std::string> arguments(words.begin() + 2, words.end());
    if (CMatchEvent::text(arguments, setup) != text)
        return false;
    m_a = words[2];
    m_b = words[3];
    m_games = games;
    m_setup = setup;
    return true;
}

bool CMatchEvent::parseSprt(const std::string &text, std::optional<CSprt::Settings> &settings)
{
    const std::vector<std::string> words = wordsOf(text);
    CSprt::Settings read;
    const std::string::size_type comma = words.size() == 8 ? words[1].find(',') : 0;
    if (words.size() != 8 || comma == std::string::npos
        || !CNumberText::parse(words[1].substr(0, comma), read.elo0)
        || !CNumberText::parse(words[1].substr(comma + 1), read.elo1)
        || !CNumberText::parse(words[3], read.alpha) || !CNumberText::parse(words[5], read.beta)
        || !CSprt::parseModel(words[7], read.model) || !CSprt::fault(read).empty())
        return false;
    settings = read;
    return true;
}

bool CMatchEvent::isPaired() const
{
    return m_setup.ballot || !m_setup.openings.empty() || m_setup.sprt.has_value();
}
