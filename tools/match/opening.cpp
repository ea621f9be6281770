#include "opening.h"

#include "tools/pdn/fentext.h"

COpening::COpening(std::string fen, std::vector<Step> steps)
    : m_fen(std::move(fen))
    , m_steps(std::move(steps))
{ }

CPosition COpening::start() const
{
    CPosition position;
    int firstMove;
    std::string error;
    if (!m_fen.empty())
        CFenText::parse(m_fen, position, firstMove, error);
    return position;
}
