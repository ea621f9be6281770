#include "benchcommand.h"

#include "engine/search.h"
#include "position.h"
#include "positiontext.h"
#include "reference/referencesearch.h"

#include <malloc.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <iomanip>
#include <string>

namespace {

constexpr int Depth = 5;
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

using Search = std::function<void(const CGameState &, int &, int &)>;

const Search Engine = [](const CGameState &position, int &from, int &to) {
    findBestMove(position, Depth, Seed, from, to);
};
const Search Reference = [](const CGameState &position, int &from, int &to) {
    CReferenceSearch::findBestMove(position, Depth, Seed, from, to);
};

// Milliseconds per search, repeated until a tenth of a second has passed so
// that the fast searches are timed as well as the slow ones.
double millisecondsPerSearch(const Search &search, const CGameState &position)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::duration elapsed {};
    int runs = 0;
    do {
        int from, to;
        search(position, from, to);
        ++runs;
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(100));
    return std::chrono::duration<double, std::milli>(elapsed).count() / runs;
}

// A line of /proc/self/status in KiB, or -1 where there is none.
long statusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    long value;
    while (status >> name) {
        if (name == field + ":" && status >> value)
            return value;
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// How far the resident memory rose above its level at the start of one
// search, in KiB; -1 where the system cannot tell.
long peakKiB(const Search &search, const CGameState &position)
{
    malloc_trim(0);
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
    reset.close();
    if (!reset)
        return -1;
    const long before = statusKiB("VmRSS");
    int from, to;
    search(position, from, to);
    const long peak = statusKiB("VmHWM");
    return before < 0 || peak < 0 ? -1 : peak - before;
}

std::string memoryText(long kib)
{
    return kib < 0 ? "unknown" : std::to_string(kib) + " KiB";
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
    return "times the computer's depth-5 search against a plain reference search";
}

bool CBenchCommand::run(const Call &call, std::string &error) const
{
    call.out << "depth-" << Depth << " search, seed " << Seed << "; milliseconds per search\n"
             << std::left << std::setw(20) << "position" << std::right << std::setw(12)
             << "reference" << std::setw(12) << "engine" << std::setw(10) << "ratio" << '\n'
             << std::fixed;
    double logSum = 0;
    double lowest = HUGE_VAL;
    double slowest = 0;
    const Entry *slowestEntry = nullptr;
    CPosition slowestPosition;
    for (const Entry &entry : Suite) {
        CPosition position;
        if (!CPositionText::parse(entry.position, position, error))
            return false;
        const double reference = millisecondsPerSearch(Reference, position);
        const double engine = millisecondsPerSearch(Engine, position);
        const double ratio = reference / engine;
        call.out << std::left << std::setw(20) << entry.name << std::right << std::setprecision(3)
                 << std::setw(12) << reference << std::setw(12) << engine << std::setprecision(1)
                 << std::setw(10) << ratio << '\n';
        logSum += std::log(ratio);
        lowest = std::min(lowest, ratio);
        if (reference > slowest) {
            slowest = reference;
            slowestEntry = &entry;
            slowestPosition = position;
        }
    }
    const int count = sizeof Suite / sizeof Suite[0];
    call.out << "geometric mean of the ratios " << std::setprecision(1) << std::exp(logSum / count)
             << ", lowest " << lowest << '\n'
             << "peak rise in resident memory during the slowest search (" << slowestEntry->name
             << "): reference " << memoryText(peakKiB(Reference, slowestPosition)) << ", engine "
             << memoryText(peakKiB(Engine, slowestPosition)) << '\n';
    return true;
}
