#ifndef CHECKERS_TOOLS_MATCH_PENTANOMIAL_H
#define CHECKERS_TOOLS_MATCH_PENTANOMIAL_H

#include <array>

// The pairs of games of a match counted by what one side scored over the
// two: 0, 1/2, 1, 1 1/2 or 2 points. The games of a pair share an opening
// and so are not independent; counting pairs keeps that in the figures.
class CPentanomial
{
public:
    static constexpr int Bins = 5;
    using Counts = std::array<int, Bins>;

    // A pair in which the side scored halfPoints half points, 0 to 4.
    void add(int halfPoints);

    const Counts &counts() const { return m_counts; }
    int pairs() const;

private:
    Counts m_counts {};
};

#endif
