#ifndef CHECKERS_ENGINE_MOVESET_H
#define CHECKERS_ENGINE_MOVESET_H

#include <cstdint>

// The legal steps of one position as one bit mask of landing squares per
// from-square, so that they come out in ascending (from, to) order. The rules
// make them all captures or all plain moves.
class CMoveSet
{
public:
    CMoveSet() = default;
    // Copies the landing squares of the from-squares in use only: the others
    // are never set, which spares the search clearing them at every node.
    CMoveSet(const CMoveSet &other)
        : m_froms(other.m_froms)
        , m_captures(other.m_captures)
    {
        for (std::uint32_t froms = m_froms; froms; froms &= froms - 1)
            m_targets[__builtin_ctz(froms)] = other.m_targets[__builtin_ctz(froms)];
    }
    CMoveSet &operator=(const CMoveSet &) = delete;

    void clear()
    {
        m_froms = 0;
        m_captures = false;
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
    // Sets the landing squares, not empty, of a from-square not added yet.
    void set(int from, std::uint32_t targets)
    {
        m_froms |= std::uint32_t(1) << from;
        m_targets[from] = targets;
    }
    void setCaptures(bool captures) { m_captures = captures; }

    bool isEmpty() const { return m_froms == 0; }
    // The squares that have steps, and the landing squares of one of them.
    std::uint32_t froms() const { return m_froms; }
    std::uint32_t targets(int from) const { return m_targets[from]; }
    bool isCapture() const { return m_captures; }
    // Whether a set that is not empty holds exactly one step.
    bool isSingle() const
    {
        const std::uint32_t targets = m_targets[__builtin_ctz(m_froms)];
        return (m_froms & (m_froms - 1)) == 0 && (targets & (targets - 1)) == 0;
    }
    // Any values, off-board squares included.
    bool contains(int from, int to) const
    {
        return from >= 0 && from <= 31 && to >= 0 && to <= 31 && (m_froms >> from & 1)
            && (m_targets[from] >> to & 1);
    }
    // Advances (from, to) to the next step in order, from (-1, -1) to the
    // first; false, leaving them alone, when there is none.
    bool next(int &from, int &to) const
    {
        if (from >= 0 && from <= 31 && (m_froms >> from & 1)) {
            const std::uint32_t later = m_targets[from] & squaresAbove(to);
            if (later) {
                to = __builtin_ctz(later);
                return true;
            }
        }
        const std::uint32_t froms = m_froms & squaresAbove(from);
        if (!froms)
            return false;
        from = __builtin_ctz(froms);
        to = __builtin_ctz(m_targets[from]);
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
    bool m_captures = false;
};

#endif
