#ifndef CHECKERS_ENGINE_NODESCORE_H
#define CHECKERS_ENGINE_NODESCORE_H

#include "randomgenerator.h"
#include "rules/gamestate.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

// What the search needs of a node once it has been searched: enough to score
// it again and again, and where the score came from. Below the root that is
// a leaf of the line being searched or one of the two bounds the root handed
// down; at the root it is the root's step that leads to it. Two words, so
// that a score is copied and returned in one register.
class CNodeScore
{
public:
    static constexpr int WinScore = 100000;
    // Where a score below the root came from.
    enum Origin { Leaf = 0, LowerBound = 1, UpperBound = 2 };

    // A non-zero fixedScore is the score itself: the search's two bound
    // nodes. Otherwise a won game scores WinScore for the winner, and any
    // other position its material and a random term.
    CNodeScore(int fixedScore, int result, int material)
        : m_value(fixedScore                            ? fixedScore
                      : result == CGameState::WhiteWins ? WinScore
                      : result == CGameState::BlackWins ? -WinScore
                                                        : material)
        , m_tag(fixedScore == 0 && result != CGameState::WhiteWins
                && result != CGameState::BlackWins)
    { }

    // Draws a fresh random term at every call for an undecided position.
    int evaluate(CRandomGenerator &random) const
    {
        const std::int32_t *terms = random.termsAhead(1);
        const int value = evaluate(terms);
        random.skipTo(terms);
        return value;
    }
    // The same, the term taken from the terms ahead, which then move on.
    int evaluate(const std::int32_t *&terms) const
    {
        // A random term from -3 to 3 lets near-equal moves vary.
        return drawsRandomTerm() ? m_value + *terms++ : m_value;
    }
    // The score without its random term: from White's side, as the search
    // maximises for White.
    int value() const { return m_value; }
    // True for an undecided real position.
    bool drawsRandomTerm() const { return m_tag & 1; }

    Origin origin() const { return static_cast<Origin>(m_tag >> 1); }
    // The same score from another origin.
    CNodeScore as(Origin origin) const { return retagged(origin); }
    // The same score reached by the root's step (from, to), squares 0 to 31.
    CNodeScore by(int from, int to) const { return retagged(from * 32 + to); }
    // a if c, else b, by a mask over both words at once: the search picks
    // its best this way, as a branch on a comparison of random terms is
    // mispredicted half the time.
    static CNodeScore select(bool c, CNodeScore a, CNodeScore b)
    {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, &a, sizeof x);
        std::memcpy(&y, &b, sizeof y);
        const std::uint64_t mask = -static_cast<std::uint64_t>(c);
        y = (x & mask) | (y & ~mask);
        std::memcpy(static_cast<void *>(&b), &y, sizeof y);
        return b;
    }
    int firstFrom() const { return m_tag >> 1 >> 5; }
    int firstTo() const { return m_tag >> 1 & 31; }

private:
    CNodeScore retagged(int origin) const
    {
        CNodeScore score = *this;
        score.m_tag = (m_tag & 1) | origin << 1;
        return score;
    }

    int m_value;
    // Bit 0: whether it draws a random term; above it, the origin or the
    // root's step.
    int m_tag;
};

static_assert(sizeof(CNodeScore) == sizeof(std::uint64_t)
                  && std::is_trivially_copyable_v<CNodeScore>,
              "select() treats a score as one word");

#endif
