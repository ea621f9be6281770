#include "matchfigures.h"

#include "matchrunner.h"
#include "normalizedelo.h"
#include "tools/position/numbertext.h"

#include <cstdio>

CMatchFigures::CMatchFigures(bool paired, const std::optional<CSprt::Settings> &sprt)
    : m_paired(paired || sprt.has_value())
    , m_settings(sprt)
{ }

void CMatchFigures::add(int number, int result)
{
    if (isDecided()) {
        ++m_leftOut;
        return;
    }
    const bool aIsWhite = CMatchRunner::isWhiteA(number);
    m_score.add(result, aIsWhite);
    m_lastGame = number;
    const int halfPoints = CMatchScore::halfPoints(result, aIsWhite);
    if (aIsWhite) {
        m_waiting = number;
        m_waitingHalfPoints = halfPoints;
        return;
    }
    if (m_waiting != number - 1)
        return;
    m_waiting = 0;
    m_pairs.add(m_waitingHalfPoints + halfPoints);
    if (!m_settings)
        return;
    const CSprt sprt(*m_settings);
    m_llr = sprt.llr(m_pairs.counts());
    m_verdict = sprt.verdict(m_llr);
}

std::string CMatchFigures::scoreLines(const std::string &a, const std::string &b) const
{
    return m_score.resultLine(a, b) + '\n' + m_score.strengthLine(a, b) + '\n';
}

std::string CMatchFigures::pairLines(const std::string &a, const std::string &b) const
{
    if (!m_paired)
        return "";
    std::string lines = m_pairs.line() + '\n' + CNormalizedElo(m_pairs.counts()).line(a) + '\n';
    if (m_settings)
        lines += sprtLines(a, b);
    if (m_leftOut > 0)
        lines += std::to_string(m_leftOut) + (m_leftOut == 1 ? " game" : " games")
            + " after the test's stop left out of these figures\n";
    return lines;
}

std::string CMatchFigures::sprtLines(const std::string &a, const std::string &b) const
{
    const CSprt sprt(*m_settings);
    const char *const verdicts[] = { "none", "H0", "H1" };
    char line[96];
    std::snprintf(line, sizeof line, "sprt %.2f %.2f %.2f %s\n", m_llr, sprt.lower(), sprt.upper(),
                  verdicts[static_cast<int>(m_verdict)]);
    const std::string difference = "the " + CSprt::modelName(m_settings->model)
        + " Elo difference of " + a + " over " + b + " is ";
    const std::string elo0 = CNumberText::format(m_settings->elo0);
    const std::string elo1 = CNumberText::format(m_settings->elo1);
    const std::string pairs
        = std::to_string(m_pairs.pairs()) + (m_pairs.pairs() == 1 ? " pair" : " pairs");
    switch (m_verdict) {
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
