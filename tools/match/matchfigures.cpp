#include "matchfigures.h"

#include "matchseat.h"

CMatchFigures::CMatchFigures(bool paired, const std::optional<CSprt::Settings> &sprt)
    : m_paired(paired || sprt.has_value())
    , m_settings(sprt)
{ }

bool CMatchFigures::add(int number, int halfPoints)
{
    if (isDecided()) {
        ++m_leftOut;
        return false;
    }
    m_score.add(halfPoints);
    m_lastGame = number;
    if (CMatchSeat(number).aIsWhite()) {
        m_waiting = number;
        m_waitingHalfPoints = halfPoints;
        return true;
    }
    if (m_waiting != number - 1)
        return true;
    m_waiting = 0;
    m_pairs.add(m_waitingHalfPoints + halfPoints);
    if (m_settings) {
        const CSprt sprt(*m_settings);
        m_llr = sprt.llr(m_pairs.counts());
        m_verdict = sprt.verdict(m_llr);
    }
    return true;
}
