#ifndef CHECKERS_ENGINE_MOVESET_H
#define CHECKERS_ENGINE_MOVESET_H

#include <cstdint>

// The legal steps of one position as one bit mask of landing squares per
// from-square, so that they come out in ascending (from, to) order. The rules
// make them all captures or all plain moves. The plain steps of men are not
// stored but worked out from the empty squares when asked.
class CMoveSet
{
public:
    CMoveSet() = default;
    // Copies the landing squares of the from-squares in use only: the others
    // are never set, which spares the search clearing them at every node.
    CMoveSet(const CMoveSet &other)
        : m_froms(other.m_froms)
        , m_men(other.m_men)
        , m_empty(other.m_empty)
        , m_manSteps(other.m_manSteps)
        , m_captures(other.m_captures)
    {
        for (std::uint32_t froms = m_froms & ~m_men; froms; froms &= froms - 1)
            m_targets[__builtin_ctz(froms)] = other.m_targets[__builtin_ctz(froms)];
    }
    CMoveSet &operator=(const CMoveSet &) = delete;

    void clear()
    {
        m_froms = 0;
        m_men = 0;
        m_captures = false;
    }
    // Adds the plain steps of men, from none of the squares added so far:
    // each man's landing squares are its steps (by square, of its colour)
    // that are empty, worked out when asked, as a search that cuts off
    // early asks for few of them.
    void addManSteps(std::uint32_t men, const std::uint32_t *steps, std::uint32_t empty)
    {
        m_froms |= men;
        m_men = men;
        m_manSteps = steps;
        m_empty = empty;
    }
    void add(int from, std::uint32_t targets)
    {
        if (targets == 0)
            return;
        const std::uint32_t bit = std::uint32_t(1) << from;
        if (!(m_froms & bit)) {
            m_froms |= bit;
            m_targets[from] = 0;
        }
        m_targets[from] |= targets;
    }
    void setCaptures(bool captures) { m_captures = captures; }

    bool isEmpty() const { return m_froms == 0; }
    // The squares that have steps, and the landing squares of one of them.
    std::uint32_t froms() const { return m_froms; }
    std::uint32_t targets(int from) const
    {
        return (m_men >> from & 1) ? m_manSteps[from] & m_empty : m_targets[from];
    }
    bool isCapture() const { return m_captures; }
    // Whether a set that is not empty holds exactly one step.
    bool isSingle() const
    {
        const std::uint32_t targets = this->targets(__builtin_ctz(m_froms));
        return (m_froms & (m_froms - 1)) == 0 && (targets & (targets - 1)) == 0;
    }
    // Any values, off-board squares included.
    bool contains(int from, int to) const
    {
        return from >= 0 && from <= 31 && to >= 0 && to <= 31 && (m_froms >> from & 1)
            && (targets(from) >> to & 1);
    }
    // Advances (from, to) to the next step in order, from (-1, -1) to the
    // first; false, leaving them alone, when there is none.
    bool next(int &from, int &to) const
    {
        if (from >= 0 && from <= 31 && (m_froms >> from & 1)) {
            const std::uint32_t later = targets(from) & squaresAbove(to);
            if (later) {
                to = __builtin_ctz(later);
                return true;
            }
        }
        const std::uint32_t froms = m_froms & squaresAbove(from);
        if (!froms)
            return false;
        from = __builtin_ctz(froms);
        to = __builtin_ctz(targets(from));
        return true;
    }

private:
    // The squares numbered above square, up to 31.
    static std::uint32_t squaresAbove(int square)
    {
        if (square < 0)
            return ~std::uint32_t(0);
        return square >= 31 ? 0 : ~std::uint32_t(0) << (square + 1);
    }

    std::uint32_t m_targets[32];
    std::uint32_t m_froms = 0;
    // The men of addManSteps(), their steps and the empty squares.
    std::uint32_t m_men = 0;
    std::uint32_t m_empty = 0;
    const std::uint32_t *m_manSteps = nullptr;
    bool m_captures = false;
};

#endif
