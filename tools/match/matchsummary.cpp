#include "matchsummary.h"

#include "elointerval.h"
#include "normalizedelo.h"
#include "tools/position/numbertext.h"

#include <cmath>
#include <cstdio>

namespace {

// The faults in the order CMatchFaults counts them.
const char *const FaultNames[] = { "crashes", "timeouts", "illegal", "broken" };

std::string signedText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", value);
    return text;
}

} // namespace

CMatchSummary::CMatchSummary(std::string a, std::string b)
    : m_a(std::move(a))
    , m_b(std::move(b))
{ }

std::string CMatchSummary::text(const CMatchFigures &figures, const std::string &middleLine,
                                const CMatchFaults &faults) const
{
    std::string lines = resultLine(figures.score()) + '\n' + strengthLine(figures.score()) + '\n'
        + middleLine + '\n' + pairLines(figures);
    lines += faultLine(m_a, faults.counts(true));
    return lines + faultLine(m_b, faults.counts(false));
}

std::string CMatchSummary::speedLine(int games, long long steps, double seconds)
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "%d game%s, %lld move steps in %.2f s: %.2f games and %.0f move steps per second",
                  games, games == 1 ? "" : "s", steps, seconds, games / seconds, steps / seconds);
    return text;
}

std::string CMatchSummary::countLine(int games, int total)
{
    return std::to_string(games) + " of " + std::to_string(total) + " games";
}

std::string CMatchSummary::statusLine(const CMatchFigures &figures)
{
    const CMatchScore &score = figures.score();
    const CEloInterval interval(score.winsA(), score.draws(), score.winsB());
    std::string line = "status games " + std::to_string(score.games()) + " wins "
        + std::to_string(score.winsA()) + " draws " + std::to_string(score.draws()) + " losses "
        + std::to_string(score.winsB()) + " elo " + eloText(interval.mid()) + " low "
        + eloText(interval.low()) + " high " + eloText(interval.high());
    if (figures.isPaired()) {
        line += " pairs";
        for (const int count : figures.pairs().counts())
            line += ' ' + std::to_string(count);
    }
    if (figures.settings()) {
        const CSprt sprt(*figures.settings());
        char text[96];
        std::snprintf(text, sizeof text, " llr %.2f lower %.2f upper %.2f", figures.llr(),
                      sprt.lower(), sprt.upper());
        line += text;
    }
    return line;
}

std::vector<std::string> CMatchSummary::progressFields(const CMatchFigures &figures)
{
    const CMatchScore &score = figures.score();
    std::vector<std::string> fields { '+' + std::to_string(score.winsA()) + " ="
                                      + std::to_string(score.draws()) + " -"
                                      + std::to_string(score.winsB()) };
    if (figures.settings()) {
        char text[32];
        std::snprintf(text, sizeof text, "LLR %.2f", figures.llr());
        fields.emplace_back(text);
    }
    return fields;
}

std::string CMatchSummary::resultLine(const CMatchScore &score) const
{
    return "result " + m_a + ' ' + m_b + ' ' + std::to_string(score.winsA()) + ' '
        + std::to_string(score.winsB()) + ' ' + std::to_string(score.draws());
}

std::string CMatchSummary::strengthLine(const CMatchScore &score) const
{
    const CEloInterval interval(score.winsA(), score.draws(), score.winsB());
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.1f%%", 100 * score.score());
    return m_a + " scored " + percent + " against " + m_b + ": Elo difference "
        + eloText(interval.mid()) + " (95% interval " + eloText(interval.low()) + " to "
        + eloText(interval.high()) + ')';
}

std::string CMatchSummary::pairLines(const CMatchFigures &figures) const
{
    if (!figures.isPaired())
        return "";
    std::string lines = "pairs";
    for (const int count : figures.pairs().counts())
        lines += ' ' + std::to_string(count);
    lines += '\n' + normalizedEloLine(figures.pairs().counts()) + '\n';
    if (figures.settings())
        lines += sprtLines(figures);
    const int leftOut = figures.leftOut();
    if (leftOut > 0)
        lines += countOf(leftOut, "game") + " after the test's stop left out of these figures\n";
    return lines;
}

std::string CMatchSummary::normalizedEloLine(const CPentanomial::Counts &counts) const
{
    const CNormalizedElo elo(counts);
    const std::string head = "normalized Elo of " + m_a + ": ";
    if (elo.pairs() == 0)
        return head + "none, no pair of games was complete";
    if (!elo.hasValue())
        return head + "none, every pair scored the same, so the scores do not spread";
    return head + signedText(elo.value()) + " (95% interval "
        + signedText(elo.value() - elo.halfWidth()) + " to "
        + signedText(elo.value() + elo.halfWidth()) + ") over " + countOf(elo.pairs(), "pair");
}

std::string CMatchSummary::sprtLines(const CMatchFigures &figures) const
{
    const CSprt::Settings &settings = *figures.settings();
    const CSprt sprt(settings);
    const char *const verdicts[] = { "none", "H0", "H1" };
    char line[96];
    std::snprintf(line, sizeof line, "sprt %.2f %.2f %.2f %s\n", figures.llr(), sprt.lower(),
                  sprt.upper(), verdicts[static_cast<int>(figures.verdict())]);
    const std::string difference = "the " + CSprt::modelName(settings.model) + " Elo difference of "
        + m_a + " over " + m_b + " is ";
    const std::string elo0 = CNumberText::format(settings.elo0);
    const std::string elo1 = CNumberText::format(settings.elo1);
    const std::string pairs = countOf(figures.pairs().pairs(), "pair");
    switch (figures.verdict()) {
    case CSprt::Verdict::H1:
        return line
            + ("After " + pairs + " the test accepts H1: " + difference + elo1 + ", not " + elo0
               + ".\n");
    case CSprt::Verdict::H0:
        return line
            + ("After " + pairs + " the test accepts H0: " + difference + elo0 + ", not " + elo1
               + ".\n");
    case CSprt::Verdict::None:
        break;
    }
    return line
        + ("The games ran out after " + pairs + ", before the test could tell whether " + difference
           + elo0 + " or " + elo1 + ".\n");
}

std::string CMatchSummary::faultLine(const std::string &name, const CMatchFaults::Counts &counts)
{
    if (counts == CMatchFaults::Counts {})
        return "";
    std::string text = "faults " + name;
    for (std::size_t kind = 0; kind < counts.size(); ++kind)
        text += std::string(" ") + FaultNames[kind] + ' ' + std::to_string(counts[kind]);
    return text + '\n';
}

std::string CMatchSummary::eloText(double elo)
{
    if (std::isinf(elo))
        return elo > 0 ? "+inf" : "-inf";
    const long rounded = std::lround(elo);
    return (rounded > 0 ? "+" : "") + std::to_string(rounded);
}

std::string CMatchSummary::countOf(int count, const std::string &noun)
{
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}
