#ifndef CHECKERS_TOOLS_MATCH_ELOINTERVAL_H
#define CHECKERS_TOOLS_MATCH_ELOINTERVAL_H

// The Elo difference that a match's wins, draws and losses point to, with
// its 95% interval: the mean scores whose likelihood, the draw rate chosen
// at its best for each, is within the 95% point of chi-square with one
// degree of freedom of the best of all (a likelihood-ratio interval),
// mapped through the logistic Elo curve. Unlike the normal approximation it
// holds at the extremes: it has width whenever games were played, even if
// all were drawn; a bound is infinite only on the side of a clean sweep; and
// a better result never moves a bound down.
class CEloInterval
{
public:
    // At least one game.
    CEloInterval(int wins, int draws, int losses);

    double low() const { return m_low; }
    double mid() const { return m_mid; }
    double high() const { return m_high; }

    // The Elo difference that gives the expected score; infinite at 0 and 1.
    static double elo(double score);

private:
    // Twice the log-likelihood lost by fixing the mean score.
    double deviance(double score) const;
    // The log-likelihood at the mean score, the draw rate at its best.
    double profile(double score) const;
    double logLikelihood(double winRate, double drawRate, double lossRate) const;
    // The score between inside (in the interval) and outside (not) where
    // the deviance reaches the critical value.
    double bound(double inside, double outside) const;

    const int m_wins;
    const int m_draws;
    const int m_losses;
    double m_low;
    double m_mid;
    double m_high;
};

#endif
