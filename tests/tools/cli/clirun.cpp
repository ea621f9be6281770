#include "clirun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace {

// The test's end of the terminal a tool writes on, or -1, and the tool's.
int terminal = -1;
std::string terminalPath;

std::string slurp(const std::string &path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    std::remove(path.c_str());
    return text.str();
}

// Descriptor fd as target says; gives the end of a pipe to close once the
// tool has it. A terminal that openTerminal() did not open is no file, so
// the tool cannot start.
int addStream(posix_spawn_file_actions_t &actions, int fd, Target target, const std::string &stem)
{
    const char *const suffixes[] = { ".in", ".out", ".err" };
    const int flags = fd == STDIN_FILENO ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    int pipeEnds[2] = { -1, -1 };
    switch (target) {
    case Target::File:
        posix_spawn_file_actions_addopen(&actions, fd, (stem + suffixes[fd]).c_str(), flags, 0600);
        break;
    case Target::FullDevice:
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/full", O_WRONLY, 0);
        break;
    case Target::Closed:
        posix_spawn_file_actions_addclose(&actions, fd);
        break;
    case Target::BrokenPipe:
        signal(SIGPIPE, SIG_IGN);
        EXPECT_EQ(pipe(pipeEnds), 0);
        close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], fd);
        break;
    case Target::Folder:
        posix_spawn_file_actions_addopen(&actions, fd, testing::TempDir().c_str(), O_RDONLY, 0);
        break;
    case Target::Terminal:
        posix_spawn_file_actions_addopen(&actions, fd, terminalPath.c_str(), O_RDWR | O_NOCTTY, 0);
        break;
    }
    return pipeEnds[1];
}

// What the terminal showed, after what the tool wrote to its file.
void takeTerminal(const std::string &stem)
{
    std::ofstream shown(stem + ".err", std::ios::app);
    char buffer[4096];
    for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;)
        shown.write(buffer, got);
    close(terminal);
    terminal = -1;
    terminalPath.clear();
}

bool hasLiveMember(int group)
{
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        // /proc/PID/stat: PID (NAME) STATE PPID PGRP ...; NAME may hold blanks.
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        std::getline(stat, text);
        const std::size_t name = text.rfind(')');
        if (name == std::string::npos)
            continue;
        std::istringstream fields(text.substr(name + 1));
        char state = 0;
        int parent = 0, processGroup = 0;
        fields >> state >> parent >> processGroup;
        if (processGroup == group && state != 'Z')
            return true;
    }
    return false;
}

} // namespace

bool openTerminal(std::string &reason)
{
    terminal = posix_openpt(O_RDWR | O_NOCTTY);
    const char *path = terminal != -1 && grantpt(terminal) == 0 && unlockpt(terminal) == 0
        ? ptsname(terminal)
        : nullptr;
    if (path == nullptr) {
        reason = std::strerror(errno);
        if (terminal != -1)
            close(terminal);
        terminal = -1;
        return false;
    }
    terminalPath = path;
    return true;
}

pid_t startCli(const std::vector<std::string> &arguments, const std::string &input,
               const std::string &stem, Target target, int fd, const std::string &script)
{
    const char *tool = std::getenv("CHECKERS_CLI");
    if (tool == nullptr) {
        ADD_FAILURE() << "CHECKERS_CLI is not set";
        return -1;
    }
    const char *program = script.empty() ? tool : "/bin/bash";
    std::vector<char *> argv { const_cast<char *>(program) };
    if (!script.empty())
        argv.insert(argv.end(),
                    { const_cast<char *>("-c"), const_cast<char *>(script.c_str()),
                      const_cast<char *>(tool) });
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::ofstream(stem + ".in") << input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeEnd = -1;
    for (const int stream : { STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO })
        pipeEnd = std::max(pipeEnd,
                           addStream(actions, stream, stream == fd ? target : Target::File, stem));
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    posix_spawnattr_setsigdefault(&attributes, &interrupt);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    pid_t child;
    const int spawned = posix_spawn(&child, program, &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnd != -1)
        close(pipeEnd);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return -1;
    }
    return child;
}

Outcome finishCli(pid_t child, const std::string &stem)
{
    int status = 0;
    waitpid(child, &status, 0);
    std::remove((stem + ".in").c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    if (terminal != -1)
        takeTerminal(stem);
    return { slurp(stem + ".out"), slurp(stem + ".err"), code };
}

std::string stemOf()
{
    return testing::TempDir() + "cli" + std::to_string(getpid());
}

bool awaitWhileRunning(pid_t child, const std::string &stem, const std::function<bool()> &ready)
{
    while (!ready()) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            ADD_FAILURE() << "the tool ended first: " << slurp(stem + ".err");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

Outcome runCli(const std::vector<std::string> &arguments, const std::string &input, Target target,
               int fd)
{
    const std::string stem = stemOf();
    const pid_t child = startCli(arguments, input, stem, target, fd);
    return child == -1 ? Outcome { "", "", -1 } : finishCli(child, stem);
}

void expectOutput(const std::vector<std::string> &arguments, const std::string &out,
                  const std::string &input)
{
    const Outcome outcome = runCli(arguments, input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, out);
    EXPECT_EQ(outcome.err, "");
}

std::string tempFile(const std::string &name, const std::string &text)
{
    std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

std::string undated(const std::string &pdn, bool eventToo)
{
    std::istringstream lines(pdn);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("[Date ", 0) != 0 && (!eventToo || line.rfind("[Event ", 0) != 0))
            kept += line + '\n';
    }
    return kept;
}

std::string moveTexts(const std::string &pdn)
{
    std::istringstream lines(pdn);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind('[', 0) != 0)
            kept += line + '\n';
    }
    return kept;
}

bool groupIsLeft(int group)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (!hasLiveMember(group))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string fakeEngine(const std::string &mode)
{
    return std::string("3@bash ") + FAKE_ENGINE + ' ' + mode;
}
