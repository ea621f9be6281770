#ifndef CHECKERS_TOOLS_MATCH_REPORTSCHEDULE_H
#define CHECKERS_TOOLS_MATCH_REPORTSCHEDULE_H

#include "matchfigures.h"

// When a long match says how it stands: after every N games counted, or,
// when the games are counted in pairs too, at the first whole pair at or
// after each N games, so that the pair counts it gives are whole.
class CReportSchedule
{
public:
    // Every `every` games, the first after the games start counts.
    CReportSchedule(int every, const CMatchFigures &start);

    // Whether the figures, one game on, are due for a report.
    bool isDue(const CMatchFigures &figures);

private:
    const int m_every;
    int m_next;
    int m_pairs;
};

#endif
