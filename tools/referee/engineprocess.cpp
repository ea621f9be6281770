#include "engineprocess.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// How often a wait looks at the stop flag.
constexpr std::chrono::milliseconds StopPoll(100);
// How long howItEnded waits for an exit that races the end of the output.
constexpr std::chrono::milliseconds ExitRace(500);
constexpr std::size_t ReadSize = 65536;

// The engines that run, by id, whichever thread started them: a child of
// the referee that is none of them is an orphan that one of them left.
// Starting, reaping and sweeping hold the mutex, so that a sweep never
// takes an engine that is being started for an orphan.
std::mutex liveMutex;
std::set<pid_t> live;

int milliseconds(std::chrono::nanoseconds span)
{
    const auto count = std::chrono::ceil<std::chrono::milliseconds>(span).count();
    return static_cast<int>(std::max<decltype(count)>(count, 0));
}

void closeFile(int &file)
{
    if (file >= 0)
        close(file);
    file = -1;
}

// A pipe that no program inherits but through the file actions of a
// spawn; the referee's end, at index referee, does not block.
int makePipe(int (&ends)[2], int referee)
{
    if (pipe2(ends, O_CLOEXEC) != 0)
        return errno;
    fcntl(ends[referee], F_SETFL, O_NONBLOCK);
    return 0;
}

// Starts words in a process group of its own, with input and output as its
// standard input and output and /dev/null as its standard error. The
// input's pipe was made before the output's, so the output's end cannot be
// standard input's number, which the first copy would overwrite. Returns
// errno's value when it cannot start, the exec's failure included.
int spawn(const std::vector<std::string> &words, int input, int output, pid_t &pid)
{
    std::vector<char *> arguments;
    arguments.reserve(words.size() + 1);
    for (const std::string &word : words)
        arguments.push_back(const_cast<char *>(word.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    // The calling thread may have signals blocked for itself.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    const int error
        = posix_spawnp(&pid, arguments[0], &files, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return error;
}

// A file that becomes readable when the process exits. Debian 12's C
// library declares pidfd_open without C linkage for C++.
int pidfdOpen(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

// Whether the child has exited, and how, without reaping it: its id must
// name it, and so its group, until it is ended.
bool hasExited(pid_t pid, siginfo_t &info)
{
    info = {};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0
        && info.si_pid == pid;
}

// Waits up to timeout for any of files to be ready; whether one is.
bool awaitFiles(std::vector<pollfd> files, std::chrono::nanoseconds timeout)
{
    return poll(files.data(), files.size(), milliseconds(timeout)) > 0;
}

// A write that turns the SIGPIPE of a reader that has gone into EPIPE
// alone: the signal is blocked on this thread for the call and taken back
// if the call raised it.
ssize_t writeQuietly(int file, const char *data, std::size_t size)
{
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigpending(&pending);
    const ssize_t written = write(file, data, size);
    const int error = errno;
    if (written < 0 && error == EPIPE && !sigismember(&pending, SIGPIPE)) {
        const timespec now {};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return written;
}

void waitFor(pid_t pid)
{
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
}

// Kills a process and its group, unless that is the referee's own, which
// an orphan may have joined.
void killWithGroup(pid_t pid, pid_t group)
{
    if (group != getpgrp())
        ::kill(-group, SIGKILL);
    ::kill(pid, SIGKILL);
}

struct Child
{
    pid_t pid;
    pid_t group;
    bool ended;
};

// The start of /proc/ID/stat, which holds the fields read here, or nothing
// once the process is gone.
std::string statLine(const char *id)
{
    const int file = open(("/proc/" + std::string(id) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return {};
    char text[512];
    const ssize_t size = read(file, text, sizeof text);
    close(file);
    return std::string(text, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
}

// The referee's children that are no live engine, from /proc.
std::vector<Child> orphans()
{
    std::vector<Child> found;
    DIR *processes = opendir("/proc");
    if (!processes)
        return found;
    const pid_t self = getpid();
    while (const dirent *entry = readdir(processes)) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0])))
            continue;
        // "ID (NAME) STATE PARENT GROUP ...", where NAME may hold anything.
        const std::string stat = statLine(entry->d_name);
        const std::string::size_type nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos)
            continue;
        Child child {};
        char state = 0;
        pid_t parent = 0;
        std::istringstream(stat) >> child.pid;
        std::istringstream(stat.substr(nameEnd + 1)) >> state >> parent >> child.group;
        child.ended = state == 'Z';
        if (parent == self && live.count(child.pid) == 0)
            found.push_back(child);
    }
    closedir(processes);
    return found;
}

// With liveMutex held. While an engine runs, an orphan may be one of its
// helpers: only those that have ended are reaped. Once none runs, every
// orphan is killed with its group (which one that called setsid leads)
// and reaped, again until none is left, as an orphan's own children come
// to the referee when it dies.
void reapOrphans()
{
    for (;;) {
        const std::vector<Child> children = orphans();
        for (const Child &child : children) {
            if (live.empty())
                killWithGroup(child.pid, child.group);
            if (live.empty() || child.ended)
                waitFor(child.pid);
        }
        if (!live.empty() || children.empty())
            return;
    }
}

// The referee takes in its engines' orphans, so that it can end them.
void adoptOrphans()
{
    static std::once_flag once;
    std::call_once(once, [] { prctl(PR_SET_CHILD_SUBREAPER, 1); });
}

} // namespace

CEngineProcess::CEngineProcess(std::vector<std::string> words, std::size_t maxLine)
    : m_words(std::move(words))
    , m_maxLine(maxLine)
{ }

CEngineProcess::~CEngineProcess()
{
    end();
}

bool CEngineProcess::start(std::string &reason)
{
    end();
    if (m_words.empty()) {
        reason = "the command is empty";
        return false;
    }
    adoptOrphans();
    int input[2] = { -1, -1 };
    int output[2] = { -1, -1 };
    int error = makePipe(input, 1);
    if (error == 0)
        error = makePipe(output, 0);
    if (error == 0) {
        const std::lock_guard<std::mutex> lock(liveMutex);
        pid_t pid = 0;
        error = spawn(m_words, input[0], output[1], pid);
        if (error == 0) {
            m_pid = pid;
            live.insert(pid);
        }
    }
    closeFile(input[0]);
    closeFile(output[1]);
    m_input = input[1];
    m_output = output[0];
    if (error == 0 && (m_exit = pidfdOpen(m_pid)) < 0)
        error = errno;
    if (error == 0)
        return true;
    reason = strerrordesc_np(error);
    end();
    return false;
}

bool CEngineProcess::isRunning() const
{
    siginfo_t info;
    return m_pid > 0 && !hasExited(m_pid, info);
}

bool CEngineProcess::send(const std::string &line)
{
    const std::string text = line + '\n';
    std::size_t done = 0;
    while (done < text.size() && isRunning()) {
        const ssize_t written = writeQuietly(m_input, text.data() + done, text.size() - done);
        if (written > 0)
            done += static_cast<std::size_t>(written);
        else if (errno == EAGAIN)
            awaitFiles({ { m_input, POLLOUT, 0 }, { m_exit, POLLIN, 0 } }, StopPoll);
        else if (errno != EINTR)
            return false;
    }
    return done == text.size();
}

CEngineProcess::Status CEngineProcess::readLine(Clock::time_point deadline,
                                                const std::atomic<bool> &stop, std::string &line)
{
    for (;;) {
        const std::string::size_type end = m_pending.find('\n');
        if (end != std::string::npos && end <= m_maxLine) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return Status::Line;
        }
        if (m_pending.size() > m_maxLine) {
            line = m_pending.substr(0, m_maxLine);
            m_pending.erase(0, m_maxLine);
            return Status::TooLong;
        }
        if (m_outputEnded) {
            line = std::move(m_pending);
            m_pending.clear();
            return line.empty() ? Status::Closed : Status::Line;
        }
        if (stop)
            return Status::Stopped;
        const Clock::duration left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return Status::TimedOut;
        awaitFiles({ { m_output, POLLIN, 0 }, { m_exit, POLLIN, 0 } },
                   std::min<Clock::duration>(left, StopPoll));
        m_outputEnded = !readAvailable();
    }
}

bool CEngineProcess::hasOutput()
{
    return !m_pending.empty() || m_outputEnded
        || awaitFiles({ { m_output, POLLIN, 0 }, { m_exit, POLLIN, 0 } }, {});
}

std::string CEngineProcess::howItEnded() const
{
    awaitFiles({ { m_exit, POLLIN, 0 } }, ExitRace);
    siginfo_t info;
    if (m_pid == 0 || !hasExited(m_pid, info))
        return "closed its output";
    if (info.si_code == CLD_EXITED)
        return "exit status " + std::to_string(info.si_status);
    const char *name = sigdescr_np(info.si_status);
    return "killed by signal " + std::to_string(info.si_status)
        + (name ? " (" + std::string(name) + ')' : std::string());
}

void CEngineProcess::end(std::chrono::milliseconds grace)
{
    // An engine may take the end of its input for a sign to quit.
    closeFile(m_input);
    if (m_pid > 0) {
        awaitFiles({ { m_exit, POLLIN, 0 } }, grace);
        const std::lock_guard<std::mutex> lock(liveMutex);
        killWithGroup(m_pid, m_pid);
        waitFor(m_pid);
        live.erase(m_pid);
        reapOrphans();
    }
    m_pid = 0;
    closeFile(m_output);
    closeFile(m_exit);
    m_pending.clear();
    m_outputEnded = false;
}

bool CEngineProcess::readAvailable()
{
    char data[ReadSize];
    for (;;) {
        // Looked at before the read: all that a process wrote before its
        // exit is in the pipe by then.
        const bool running = isRunning();
        const ssize_t size = read(m_output, data, sizeof data);
        if (size > 0) {
            m_pending.append(data, static_cast<std::size_t>(size));
            if (m_pending.size() > m_maxLine)
                return true;
        } else if (size == 0 || errno != EINTR) {
            // An empty pipe goes on while the process runs, even where
            // something it started keeps the pipe open after it.
            return size < 0 && errno == EAGAIN && running;
        }
    }
}
