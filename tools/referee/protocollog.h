#ifndef CHECKERS_TOOLS_REFEREE_PROTOCOLLOG_H
#define CHECKERS_TOOLS_REFEREE_PROTOCOLLOG_H

#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>

// The lines a match's referee sends to its engines and receives from them,
// one a line as "MS JOB NAME > LINE" for a line sent and "MS JOB NAME <
// LINE" for one received: MS the milliseconds since the log was opened, JOB
// the job's number from 1 (0 for the engines' first start, before the
// games), NAME the engine's name. The jobs write it from their threads.
class CProtocolLog
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // False with one line when the file cannot be written.
    bool open(const std::string &path, std::string &error,
              Clock now = std::chrono::steady_clock::now);
    void write(int job, const std::string &name, bool sent, const std::string &line);

private:
    std::mutex m_mutex;
    std::ofstream m_file;
    Clock m_now;
    std::chrono::steady_clock::time_point m_start;
};

#endif
