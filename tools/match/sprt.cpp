#include "sprt.h"

#include "normalizedelo.h"

#include <algorithm>
#include <cmath>

namespace {

using Frequencies = std::array<double, CPentanomial::Bins>;

// What an empty bin counts, so that no frequency is nought.
constexpr double EmptyBin = 1e-3;
// Halvings of the interval of theta: far past a double's resolution.
constexpr int Halvings = 200;
// The normalized model's iteration stops once no frequency moves more.
constexpr double Settled = 1e-9;
constexpr int MaxIterations = 1000;
// The smallest step towards a hypothesis: far below any t that matters.
constexpr double MinStep = 1e-9;

// A pair's score per game.
double score(int bin)
{
    return bin / 4.0;
}

// The root of sum p_i x_i / (1 + theta x_i) over theta that keeps every
// 1 + theta x_i positive, found by halving since the sum falls as theta
// grows; then the distribution p_i / (1 + theta x_i) it gives.
Frequencies tilted(const Frequencies &observed, const Frequencies &x)
{
    const auto [least, most] = std::minmax_element(x.begin(), x.end());
    double low = -1 / *most, high = -1 / *least;
    for (int i = 0; i < Halvings; ++i) {
        const double middle = (low + high) / 2;
        // At an end of the interval a term would divide by nought.
        if (middle == low || middle == high)
            break;
        double sum = 0;
        for (int bin = 0; bin < CPentanomial::Bins; ++bin)
            sum += observed[bin] * x[bin] / (1 + middle * x[bin]);
        (sum > 0 ? low : high) = middle;
    }
    const double theta = (low + high) / 2;
    Frequencies closest;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        closest[bin] = observed[bin] / (1 + theta * x[bin]);
    return closest;
}

// The closest distribution whose mean score is meanScore.
Frequencies closestLogistic(const Frequencies &observed, double elo)
{
    const double meanScore = 1 / (1 + std::pow(10.0, -elo / 400));
    Frequencies x;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        x[bin] = score(bin) - meanScore;
    return tilted(observed, x);
}

void moments(const Frequencies &p, double &mean, double &sigma)
{
    mean = 0;
    double variance = 0;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        mean += p[bin] * score(bin);
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        variance += p[bin] * (score(bin) - mean) * (score(bin) - mean);
    sigma = std::sqrt(variance);
}

// The closest distribution with (mu - 1/2) / sigma = t, mu and sigma taken
// from the distribution itself, so that the tilt is found again from each
// new guess p until it settles. False, p left as it was, when a guess's
// tilts all have one sign: no tilt then meets the hypothesis.
bool settle(const Frequencies &observed, double t, Frequencies &p)
{
    Frequencies guess = p;
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        double mean, sigma;
        moments(guess, mean, sigma);
        Frequencies phi;
        for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
            const double spread = (score(bin) - mean) / sigma;
            phi[bin] = score(bin) - 0.5 - t * sigma / 2 * (1 + spread * spread);
        }
        const auto [least, most] = std::minmax_element(phi.begin(), phi.end());
        if (*least >= 0 || *most <= 0)
            return false;
        const Frequencies next = tilted(observed, phi);
        double moved = 0;
        for (int bin = 0; bin < CPentanomial::Bins; ++bin)
            moved = std::max(moved, std::abs(next[bin] - guess[bin]));
        guess = next;
        if (moved < Settled)
            break;
    }
    p = guess;
    return true;
}

// Settles from the observed distribution at once where it can. Where the
// hypothesis lies far on the other side of the observation, as when one
// side loses every pair, it gets there in steps of t, each settled from the
// last, halved until one settles.
Frequencies closestNormalized(const Frequencies &observed, double elo)
{
    const double t = elo * std::sqrt(2.0) / CNormalizedElo::scale();
    double mean, sigma;
    moments(observed, mean, sigma);
    double reached = (mean - 0.5) / sigma;
    double step = t - reached;
    Frequencies p = observed;
    while (reached != t && std::abs(step) > MinStep) {
        const double next = std::abs(t - reached) <= std::abs(step) ? t : reached + step;
        if (settle(observed, next, p)) {
            reached = next;
            step *= 2;
        } else {
            step /= 2;
        }
    }
    return p;
}

} // namespace

CSprt::CSprt(const Settings &settings)
    : m_settings(settings)
    , m_lower(std::log(settings.beta / (1 - settings.alpha)))
    , m_upper(std::log((1 - settings.beta) / settings.alpha))
{ }

double CSprt::llr(const CPentanomial::Counts &counts) const
{
    double pairs = 0;
    Frequencies observed;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin) {
        observed[bin] = counts[bin] > 0 ? counts[bin] : EmptyBin;
        pairs += observed[bin];
    }
    for (double &frequency : observed)
        frequency /= pairs;
    const auto closest = m_settings.model == Model::Logistic ? closestLogistic : closestNormalized;
    const Frequencies h0 = closest(observed, m_settings.elo0);
    const Frequencies h1 = closest(observed, m_settings.elo1);
    double sum = 0;
    for (int bin = 0; bin < CPentanomial::Bins; ++bin)
        sum += observed[bin] * std::log(h1[bin] / h0[bin]);
    return pairs * sum;
}

CSprt::Verdict CSprt::verdict(double llr) const
{
    if (llr <= m_lower)
        return Verdict::H0;
    if (llr >= m_upper)
        return Verdict::H1;
    return Verdict::None;
}

std::string CSprt::fault(const Settings &settings)
{
    if (!(settings.elo0 < settings.elo1))
        return "--sprt ELO0,ELO1 needs ELO0 below ELO1";
    const auto rate = [](double value) { return value > 0 && value < 0.5; };
    if (!rate(settings.alpha))
        return "--alpha must lie between 0 and 0.5, both excluded";
    if (!rate(settings.beta))
        return "--beta must lie between 0 and 0.5, both excluded";
    return "";
}

std::string CSprt::modelName(Model model)
{
    return model == Model::Logistic ? "logistic" : "normalized";
}

bool CSprt::parseModel(const std::string &name, Model &model)
{
    for (const Model known : { Model::Normalized, Model::Logistic }) {
        if (name == modelName(known)) {
            model = known;
            return true;
        }
    }
    return false;
}
