#ifndef CHECKERS_TESTS_TOOLS_CLI_CLIRUN_H
#define CHECKERS_TESTS_TOOLS_CLI_CLIRUN_H

#include <functional>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

// Runs the built console tool, named by CHECKERS_CLI, as a real process, and
// gives what it wrote and how it ended, as a user at a shell would see them.

struct Outcome
{
    std::string out;
    std::string err;
    // The exit status, or minus the signal that ended the process.
    int status;
};

// Where one of the tool's standard streams goes: its file, stem.in, .out or
// .err, or one of the ways of losing it, or a terminal, read back as the
// file would be. A broken pipe is met with SIGPIPE ignored, as under many
// supervisors.
enum class Target { File, FullDevice, Closed, BrokenPipe, Folder, Terminal };

// Opens the pseudo-terminal that the next tool started with
// Target::Terminal writes on; false, with the reason, where none can be
// opened, as in a chroot without /dev/pts.
bool openTerminal(std::string &reason);

// Starts the tool with the given arguments and standard input, with Ctrl-C
// as by default, in a process group of its own as a shell's job; target
// says where the stream on descriptor fd goes. With a script, bash runs it
// instead, with the tool as $0 and the arguments after it. Gives the
// process id, or -1.
pid_t startCli(const std::vector<std::string> &arguments, const std::string &input,
               const std::string &stem, Target target, int fd = STDOUT_FILENO,
               const std::string &script = "");
// Waits for the tool and takes back its files.
Outcome finishCli(pid_t child, const std::string &stem);
// The stem of this test process's files.
std::string stemOf();
// Polls until ready says so while the tool runs. A tool that ended first
// fails the test with what it wrote on standard error, instead of leaving
// the test waiting for ever.
bool awaitWhileRunning(pid_t child, const std::string &stem, const std::function<bool()> &ready);

// Runs the tool and waits for it.
Outcome runCli(const std::vector<std::string> &arguments, const std::string &input = "",
               Target target = Target::File, int fd = STDOUT_FILENO);
// Expects the tool to succeed with exactly this output and nothing on
// standard error.
void expectOutput(const std::vector<std::string> &arguments, const std::string &out,
                  const std::string &input = "");

// A file of the test's temporary folder holding the text; gives its path.
std::string tempFile(const std::string &name, const std::string &text);
// The games, less the date they were played and, if asked, their Event.
std::string undated(const std::string &pdn, bool eventToo = false);
// The move text of each game, without its tags.
std::string moveTexts(const std::string &pdn);
// Whether a process of the group is still alive after a second: one that
// was killed may take a moment to die, and stays a zombie until its new
// parent reaps it.
bool groupIsLeft(int group);
// A player of depth 3 that the test engine script plays in this mode.
std::string fakeEngine(const std::string &mode);

#endif
