#ifndef CHECKERS_ENGINE_MOVESET_H
#define CHECKERS_ENGINE_MOVESET_H

#include <cstdint>

// The legal steps of one position as one bit mask of landing squares per
// from-square, so that they come out in ascending (from, to) order. The rules
// make them all captures or all plain moves.
class CMoveSet
{
public:
    void clear();
    void add(int from, std::uint32_t targets);
    void setCaptures(bool captures) { m_captures = captures; }

    bool isEmpty() const { return m_froms == 0; }
    bool isCapture() const { return m_captures; }
    // Any values, off-board squares included.
    bool contains(int from, int to) const;
    // Advances (from, to) to the next step in order, from (-1, -1) to the
    // first; false, leaving them alone, when there is none.
    bool next(int &from, int &to) const;

private:
    std::uint32_t m_targets[32];
    std::uint32_t m_froms = 0;
    bool m_captures = false;
};

#endif
