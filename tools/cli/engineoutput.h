#ifndef CHECKERS_TOOLS_CLI_ENGINEOUTPUT_H
#define CHECKERS_TOOLS_CLI_ENGINEOUTPUT_H

#include "tools/protocol/protocolline.h"

#include <mutex>
#include <ostream>

// The engine's answers, written by the thread that reads the referee's lines
// and by the one that searches: each line whole and flushed at once under
// one lock, so that lines never interleave and the referee, which waits for
// them, gets them as they come.
class CEngineOutput
{
public:
    explicit CEngineOutput(std::ostream &out);

    void write(const CProtocolLine &line);
    // Whether writing has failed: the output is lost.
    bool failed() const;

private:
    mutable std::mutex m_mutex;
    std::ostream &m_out;
};

#endif
