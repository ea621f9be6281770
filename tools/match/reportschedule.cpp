#include "reportschedule.h"

CReportSchedule::CReportSchedule(int every, const CMatchFigures &start)
    : m_every(every)
    , m_next((start.score().games() / every + 1) * every)
    , m_pairs(start.pairs().pairs())
{ }

bool CReportSchedule::isDue(const CMatchFigures &figures)
{
    const int pairs = figures.pairs().pairs();
    const bool whole = !figures.isPaired() || pairs > m_pairs;
    m_pairs = pairs;
    const int games = figures.score().games();
    if (games < m_next || !whole)
        return false;
    m_next = (games / m_every + 1) * m_every;
    return true;
}
