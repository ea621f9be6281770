#ifndef CHECKERS_ENGINE_NODESCORE_H
#define CHECKERS_ENGINE_NODESCORE_H

#include "randomgenerator.h"
#include "rules/gamestate.h"

// What the search needs of a node once it has been searched: enough to score
// it again and again, and the first move of the line that led to it.
class CNodeScore
{
public:
    static constexpr int WinScore = 100000;

    // A non-zero fixedScore is the score itself: the search's two bound
    // nodes. Otherwise a won game scores WinScore for the winner, and any
    // other position its material and a random term.
    CNodeScore(int fixedScore, int result, int material, int firstFrom = 0, int firstTo = 0)
        : firstFrom(firstFrom)
        , firstTo(firstTo)
        , m_value(fixedScore                            ? fixedScore
                      : result == CGameState::WhiteWins ? WinScore
                      : result == CGameState::BlackWins ? -WinScore
                                                        : material)
        , m_drawsRandomTerm(fixedScore == 0 && result != CGameState::WhiteWins
                            && result != CGameState::BlackWins)
    { }

    // Draws a fresh random term at every call for an undecided position.
    int evaluate(CRandomGenerator &random) const
    {
        const std::int32_t *terms = random.termsAhead(1);
        const std::int32_t *const first = terms;
        const int value = evaluate(terms);
        random.skip(static_cast<int>(terms - first));
        return value;
    }
    // The same, the term taken from the terms ahead, which then move on.
    int evaluate(const std::int32_t *&terms) const
    {
        // A random term from -3 to 3 lets near-equal moves vary.
        return m_drawsRandomTerm ? m_value + *terms++ : m_value;
    }
    // True for an undecided real position.
    bool drawsRandomTerm() const { return m_drawsRandomTerm; }

    int firstFrom;
    int firstTo;

private:
    int m_value;
    bool m_drawsRandomTerm;
};

#endif
