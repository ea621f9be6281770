#include "benchcommand.h"

#include "residentpeak.h"

#include "engine/search.h"
#include "tools/position/position.h"
#include "tools/position/positiontext.h"
#include "tools/reference/referencesearch.h"

#include <time.h>

#include <cmath>
#include <functional>
#include <iomanip>
#include <string>
#include <vector>

namespace {

// The game's deepest search, and two levels more, as deep matches play.
constexpr int Depths[] = { 5, 6, 7 };
constexpr unsigned Seed = 1;

struct Entry
{
    const char *name;
    const char *position;
};

const Entry Suite[] = {
    { "initial position", "bbbbbbbbbbbb........wwwwwwwwwwww w" },
    { "middle game 1", "bbbbbb.b.bbwb...w...www.w.w.wwww w" },
    { "middle game 2", "bbbbbbb....b...b.bb.w...wwwwwwww w" },
    { "middle game 3", ".b....bbb.bb..W..w.bw..ww.wbww.. b" },
    { "middle game 4", "..b.bb....bw.b..b.....wwww..w..w w" },
    { "middle game 5", ".Wb....b.....bw.....wb.....www.. w" },
    { "2 kings a side", ".W..B.............W..........B.. w" },
    { "3 kings a side", "WB..............BW.....BW....... b" },
    { "4 kings a side", "...W.W.B...B.....W....B....W.B.. w" },
    { "5 kings a side", "....W..WW...BB...W.BB...W.....B. w" },
    { "capture chains 1", "bbb.bbb...b.b.bww...w..www.www.. b" },
    { "capture chains 2", "bbb.bbb.w.bb....w...w...wwwww..w b" },
};

using Search = std::function<void(const CGameState &, int, int &, int &)>;

const Search Engine = [](const CGameState &position, int depth, int &from, int &to) {
    findBestMove(position, depth, Seed, from, to);
};
const Search Reference = [](const CGameState &position, int depth, int &from, int &to) {
    CReferenceSearch::findBestMove(position, depth, Seed, from, to);
};

// The processor time this thread has used, in milliseconds: unlike the
// wall clock, it does not run on while other programs have the processor.
double threadMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Milliseconds per search, repeated until a tenth of a second has passed so
// that the fast searches are timed as well as the slow ones.
double millisecondsPerSearch(const Search &search, const CGameState &position, int depth)
{
    const double start = threadMilliseconds();
    double elapsed = 0;
    int runs = 0;
    do {
        int from, to;
        search(position, depth, from, to);
        ++runs;
        elapsed = threadMilliseconds() - start;
    } while (elapsed < 100);
    return elapsed / runs;
}

// How far the resident memory rose above its level at the start of one
// search, in KiB; -1 where the system cannot tell.
long peakKiB(const Search &search, const CGameState &position, int depth)
{
    return CResidentPeak::riseKiB([&] {
        int from, to;
        search(position, depth, from, to);
    });
}

std::string memoryText(long kib)
{
    return kib < 0 ? "unknown" : std::to_string(kib) + " KiB";
}

// What one depth's rows add up to.
struct DepthSummary
{
    int depth;
    double geometricMean;
    double lowest;
    // The position on which the reference took longest.
    std::size_t slowest;
};

DepthSummary timeSuite(const std::vector<CPosition> &positions, int depth, std::ostream &out)
{
    DepthSummary summary { depth, 0, HUGE_VAL, 0 };
    double logSum = 0;
    double slowest = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const double reference = millisecondsPerSearch(Reference, positions[i], depth);
        const double engine = millisecondsPerSearch(Engine, positions[i], depth);
        const double ratio = reference / engine;
        out << std::left << std::setw(20) << Suite[i].name << std::right << std::setw(6) << depth
            << std::setprecision(3) << std::setw(12) << reference << std::setw(12) << engine
            << std::setprecision(1) << std::setw(10) << ratio << '\n';
        logSum += std::log(ratio);
        summary.lowest = std::min(summary.lowest, ratio);
        if (reference > slowest) {
            slowest = reference;
            summary.slowest = i;
        }
    }
    summary.geometricMean = std::exp(logSum / positions.size());
    return summary;
}

} // namespace

std::string CBenchCommand::name() const
{
    return "bench";
}

std::vector<std::string> CBenchCommand::parameters() const
{
    return {};
}

std::string CBenchCommand::help() const
{
    return "times the computer's search at depths 5, 6 and 7 against a plain reference search "
           "on a fixed set of positions, and prints each ratio, their geometric mean and lowest "
           "for each depth, and the rise in resident memory during the slowest search.";
}

bool CBenchCommand::run(const Call &call, std::string &error) const
{
    std::ostream &out = call.out;
    std::vector<CPosition> positions;
    for (const Entry &entry : Suite) {
        positions.emplace_back();
        if (!CPositionText::parse(entry.position, positions.back(), error))
            return false;
    }
    out << "seed " << Seed << "; milliseconds per search\n"
        << std::left << std::setw(20) << "position" << std::right << std::setw(6) << "depth"
        << std::setw(12) << "reference" << std::setw(12) << "engine" << std::setw(10) << "ratio"
        << '\n'
        << std::fixed;
    std::vector<DepthSummary> summaries;
    for (int depth : Depths)
        summaries.push_back(timeSuite(positions, depth, out));
    for (const DepthSummary &summary : summaries) {
        out << "depth " << summary.depth << ": geometric mean of the ratios "
            << summary.geometricMean << ", lowest " << summary.lowest << '\n';
    }
    for (const DepthSummary &summary : summaries) {
        const CPosition &position = positions[summary.slowest];
        out << "depth " << summary.depth << ": peak rise in resident memory during the slowest "
            << "search (" << Suite[summary.slowest].name << "): reference "
            << memoryText(peakKiB(Reference, position, summary.depth)) << ", engine "
            << memoryText(peakKiB(Engine, position, summary.depth)) << '\n';
    }
    return true;
}
