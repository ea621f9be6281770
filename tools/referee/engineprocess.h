#ifndef CHECKERS_TOOLS_REFEREE_ENGINEPROCESS_H
#define CHECKERS_TOOLS_REFEREE_ENGINEPROCESS_H

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

// One engine program: started from its words (no shell) in a process group
// of its own, so that a terminal's Ctrl-C reaches only the referee; fed
// lines on its standard input, read line by line from its standard output
// with a deadline. What it writes to standard error is dropped.
//
// Nothing an engine starts outlives the engines: the referee takes in the
// orphans of its engines (it becomes their subreaper), reaps those that
// have ended, and when its last live engine is ended, ends every other
// child it has. So the referee starts no process but through this class.
class CEngineProcess
{
public:
    using Clock = std::chrono::steady_clock;
    // What waiting for a line gave.
    enum class Status { Line, TooLong, Closed, TimedOut, Stopped };

    CEngineProcess(std::vector<std::string> words, std::size_t maxLine);
    // Ends it with no grace.
    ~CEngineProcess();
    CEngineProcess(const CEngineProcess &) = delete;
    CEngineProcess &operator=(const CEngineProcess &) = delete;

    // Starts it, ending the process it ran before; false, with why in a few
    // words ("No such file or directory"), when it cannot be started.
    bool start(std::string &reason);
    bool isRunning() const;
    // Writes line and '\n', waiting while its input is full; false when the
    // process can no longer take it (it ended or closed its input).
    bool send(const std::string &line);
    // The next line without its '\n' (a CR is left for the caller).
    // Line: line holds it; a last line that the output ends without '\n'
    // comes as a Line too. TooLong: more than maxLine bytes came without a
    // '\n'; line holds the first maxLine bytes, and the next read goes on
    // after them. Closed: the output ended, or the process exited while
    // something it started keeps its output open. TimedOut: the deadline
    // passed. Stopped: stop was set (looked at at least every 100 ms).
    Status readLine(Clock::time_point deadline, const std::atomic<bool> &stop, std::string &line);
    // Whether output (a line, a part of one, or its end) is waiting now.
    bool hasOutput();
    // After Closed: how it ended, "exit status 3", "killed by signal 11
    // (Segmentation fault)", or "closed its output" when it still runs
    // after about half a second.
    std::string howItEnded() const;
    // Waits up to grace for it to exit by itself (the caller may have sent
    // it a line that asks it to), with its input closed, then kills its
    // process group and reaps it.
    void end(std::chrono::milliseconds grace = std::chrono::milliseconds(0));

private:
    // Reads what the output holds now into m_pending; false at its end.
    bool readAvailable();

    const std::vector<std::string> m_words;
    const std::size_t m_maxLine;
    // The process's id, which names its group too; 0 when none runs.
    pid_t m_pid = 0;
    int m_input = -1;
    int m_output = -1;
    // Readable once the process has exited.
    int m_exit = -1;
    std::string m_pending;
    bool m_outputEnded = false;
};

#endif
