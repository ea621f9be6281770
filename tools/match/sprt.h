#ifndef CHECKERS_TOOLS_MATCH_SPRT_H
#define CHECKERS_TOOLS_MATCH_SPRT_H

#include "pentanomial.h"

#include <string>

// The generalized sequential probability ratio test over pair counts:
// H0 says one side is stronger by elo0, H1 by elo1. For each, the
// distribution of the five pair scores closest to the observed one (the
// most likely) that meets the hypothesis; the log-likelihood ratio (LLR) is
// N sum p_i ln(p1_i / p0_i) over N pairs with observed frequencies p_i,
// every empty bin first given a count of 1e-3. The test accepts H0 once the
// LLR falls to ln(beta / (1 - alpha)) and H1 once it reaches
// ln((1 - beta) / alpha).
class CSprt
{
public:
    // How a hypothesis reads its Elo: logistic fixes the mean score at
    // 1 / (1 + 10^(-elo / 400)); normalized fixes (mu - 1/2) / sigma per
    // pair at elo * sqrt 2 * ln 10 / 800, as CNormalizedElo reads it.
    enum class Model { Normalized, Logistic };
    enum class Verdict { None, H0, H1 };

    struct Settings
    {
        double elo0 = 0;
        double elo1 = 0;
        double alpha = 0.05;
        double beta = 0.05;
        Model model = Model::Normalized;
    };

    explicit CSprt(const Settings &settings);

    double lower() const { return m_lower; }
    double upper() const { return m_upper; }
    double llr(const CPentanomial::Counts &counts) const;
    Verdict verdict(double llr) const;

    // Why settings make no test, in one line, or empty: elo0 must be below
    // elo1, alpha and beta between 0 and 1/2.
    static std::string fault(const Settings &settings);
    static std::string modelName(Model model);
    static bool parseModel(const std::string &name, Model &model);

private:
    const Settings m_settings;
    const double m_lower;
    const double m_upper;
};

#endif
