#include "openingtally.h"

#include "matchrunner.h"
#include "matchseat.h"
#include "tools/pdn/pdnwriter.h"

#include <algorithm>

COpeningTally::COpeningTally(std::vector<COpening> openings, std::vector<int> places)
    : m_openings(std::move(openings))
    , m_places(std::move(places))
{ }

void COpeningTally::add(int round, int halfPoints)
{
    const auto index = static_cast<std::size_t>(
        CMatchRunner::openingOf(round, static_cast<int>(m_openings.size())));
    Counts &counts
        = m_counts.try_emplace(m_places[index], Counts { CMatchFigures(true, std::nullopt), {} })
              .first->second;
    counts.figures.add(round, halfPoints);
    const bool aIsWhite = CMatchSeat(round).aIsWhite();
    ++counts.results[halfPoints == 1 ? 1 : (halfPoints == 2) == aIsWhite ? 0 : 2];
}

std::string COpeningTally::text() const
{
    std::string lines;
    for (const auto &[place, counts] : m_counts) {
        lines += "opening " + std::to_string(place + 1);
        for (const int count : counts.figures.pairs().counts())
            lines += ' ' + std::to_string(count);
        for (const int count : counts.results)
            lines += ' ' + std::to_string(count);
        const auto index = std::find(m_places.begin(), m_places.end(), place) - m_places.begin();
        lines += ' ' + steps(m_openings[static_cast<std::size_t>(index)]) + '\n';
    }
    return lines;
}

// On one line, without the result token.
std::string COpeningTally::steps(const COpening &opening)
{
    std::string text = CPdnWriter::moveText(opening.fen(), opening.steps(), "*");
    std::replace(text.begin(), text.end(), '\n', ' ');
    text.erase(text.rfind('*'));
    text.erase(text.find_last_not_of(' ') + 1);
    return text.empty() ? "-" : text;
}
