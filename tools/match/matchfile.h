#ifndef CHECKERS_TOOLS_MATCH_MATCHFILE_H
#define CHECKERS_TOOLS_MATCH_MATCHFILE_H

#include "matchtally.h"

#include <ios>
#include <string>

class CPdnReader;

// The file that match --pdn-file writes the games to, read back when the
// same command runs again, so that a match stopped by Ctrl-C, a kill or a
// power loss goes on where it stopped. It holds games FROM to K of this
// match, the first game of the run (of the match or of the shard) to the
// last written, each one ended by its line break; after them there may be
// one game cut short, which the next run writes again whole. So the file
// ends as the PDN of a run that never stopped.
class CMatchFile
{
public:
    enum class Outcome { Read, Refused, Failed };

    // The file of the match plan describes, once its engines are
    // identified; plan outlives it.
    explicit CMatchFile(const CMatchPlan &plan);
    ~CMatchFile();
    CMatchFile(const CMatchFile &) = delete;
    CMatchFile &operator=(const CMatchFile &) = delete;

    // Reads back the whole games the file holds: none if it does not
    // exist. Refused, with one line and the file left as it is, when it
    // holds another match's games, Rounds that do not follow on from
    // FROM, or, after its whole games, anything but one game of this match
    // cut short. Failed when it cannot be read.
    Outcome read(std::string &error);
    // Opens the file, created if need be, to write on after its last whole
    // game, cutting off what follows it. False with one line if it cannot.
    bool openToAppend(std::string &error);
    int descriptor() const { return m_descriptor; }

    // The game to play next.
    int next() const { return m_next; }
    // The figures and the faults of the games read back, to go on from.
    CMatchFigures figures() const;
    CMatchFaults faults() const;

private:
    std::string mismatch(const CPdnReader &reader) const;
    bool isCutShort() const;
    std::string name() const;
    Outcome refuse(const std::string &reason, std::string &error) const;

    const CMatchPlan &m_plan;
    CMatchTally m_tally;
    int m_next;
    // Where the last whole game ends.
    std::streamoff m_end = 0;
    int m_descriptor = -1;
};

#endif
