#include "matchfaults.h"

#include "rules/gamestate.h"

namespace {

// The faults in the order they are counted and named.
constexpr CMatchPlayer::Fault Faults[]
    = { CMatchPlayer::Fault::Crash, CMatchPlayer::Fault::Timeout, CMatchPlayer::Fault::Illegal,
        CMatchPlayer::Fault::Broken };
const char *const Kinds[] = { "crash", "time", "illegal step", "broken reply" };
// A tag value is bounded, whatever an engine wrote.
constexpr std::size_t MaxDetail = 60;

int indexOf(CMatchPlayer::Fault fault)
{
    return static_cast<int>(fault) - static_cast<int>(CMatchPlayer::Fault::Crash);
}

std::string prefixOf(int side)
{
    return side == CGameState::White ? "White forfeits, " : "Black forfeits, ";
}

} // namespace

void CMatchFaults::add(bool playerA, Fault fault)
{
    ++m_counts[playerA ? 0 : 1][static_cast<std::size_t>(indexOf(fault))];
}

std::string CMatchFaults::termination(Fault fault, int side, const std::string &detail)
{
    std::string shown = detail.size() > MaxDetail ? detail.substr(0, MaxDetail) + "..." : detail;
    return prefixOf(side) + Kinds[indexOf(fault)] + ": " + shown;
}

bool CMatchFaults::readTermination(const std::string &text, Fault &fault, int &side)
{
    for (const int colour : { CGameState::White, CGameState::Black }) {
        const std::string prefix = prefixOf(colour);
        if (text.rfind(prefix, 0) != 0)
            continue;
        for (const Fault kind : Faults) {
            const std::string named = prefix + Kinds[indexOf(kind)] + ": ";
            if (text.rfind(named, 0) == 0) {
                fault = kind;
                side = colour;
                return true;
            }
        }
    }
    return false;
}
