#ifndef CHECKERS_TOOLS_MATCH_NORMALIZEDELO_H
#define CHECKERS_TOOLS_MATCH_NORMALIZEDELO_H

#include "pentanomial.h"

// The normalized Elo (nElo) of pair counts: how far the mean score per game
// lies from 1/2, in standard deviations of a game, scaled as Elo is,
// (mu - 1/2) / (sqrt 2 sigma) * 800 / ln 10, mu and sigma over the pairs
// (a population) with their scores per game 0, 1/4, 1/2, 3/4 and 1. Its 95%
// interval is the value plus or minus 1.96 * 800 / (ln 10 * sqrt(2N)) over
// N pairs. It tells how surely one side is the stronger rather than by how
// much, and has no value when no pair was played or all scored alike.
class CNormalizedElo
{
public:
    explicit CNormalizedElo(const CPentanomial::Counts &counts);

    // Whether the pairs' scores spread at all.
    bool hasValue() const { return m_sigma > 0; }
    int pairs() const { return m_pairs; }
    double value() const { return m_value; }
    double halfWidth() const { return m_halfWidth; }
    // The factor that turns a mean over sigma into nElo: 800 / ln 10.
    static double scale();

private:
    int m_pairs = 0;
    double m_sigma = 0;
    double m_value = 0;
    double m_halfWidth = 0;
};

#endif
