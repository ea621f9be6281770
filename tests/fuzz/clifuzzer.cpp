// Puts arbitrary text to the console tool: as a position, as a number and,
// split at newlines, as its arguments; after a first line "replay" or
// "tally", the rest is what the command reads on standard input. Every
// input must give a result or a one-line error; a position read must be sound and survive a
// round trip through its text form.

#include "invariantcheck.h"

#include "tools/cli/commandline.h"
#include "tools/cli/matchcommand.h"
#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"
#include "tools/protocol/protocolline.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iostream>
#include <map>
#include <sstream>

namespace {

// Deeper counts and searches, and longer matches, cost time and read their
// input no differently.
constexpr int MaxFuzzedDepth = 2;
constexpr int MaxFuzzedGames = 2;

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

bool isOneLine(const std::string &text)
{
    return text.find('\n') == std::string::npos;
}

// A position that no successful parse produces, so that a failed parse
// shows whether it wrote anything.
CPosition untouched()
{
    CPosition position;
    position.sideToMove = CGameState::Black;
    position.lastCheckFrom = 7;
    position.lastCheckVerdict = CGameState::Illegal;
    position.pliesWithoutCapture = 77;
    return position;
}

void checkRoundTrip(const CPosition &position, const std::string &text)
{
    CInvariantCheck::requireSound(position, "parsed '" + text + "'");
    CInvariantCheck::require(position.lastCheckVerdict == CGameState::NoVerdict
                                 && position.pliesWithoutCapture <= CPosition::MaxPlies,
                             "parsed memo or move counter out of range", position);
    const std::string formatted = CPositionText::format(position);
    // Squares and side are written the one way they can be read.
    CInvariantCheck::require(formatted.compare(0, 34, text, 0, 34) == 0,
                             "'" + text + "' formats as '" + formatted + "'", position);
    CPosition again;
    std::string error;
    CInvariantCheck::require(CPositionText::parse(formatted, again, error),
                             "'" + formatted + "' does not read back: " + error, position);
    const std::string changed = CInvariantCheck::difference(position, again);
    CInvariantCheck::require(changed.empty(),
                             "'" + formatted + "' reads back with another " + changed, position);
    CInvariantCheck::require(CPositionText::format(again) == formatted,
                             "'" + formatted + "' formats differently the second time", position);
}

void checkPositionText(const std::string &text)
{
    CPosition position = untouched();
    std::string error;
    if (CPositionText::parse(text, position, error)) {
        checkRoundTrip(position, text);
        return;
    }
    const std::string changed = CInvariantCheck::difference(position, untouched());
    CInvariantCheck::require(changed.empty(), "failed parse changed " + changed, position);
    // Only a quote of the text itself may break the line.
    CInvariantCheck::require(!error.empty() && (isOneLine(error) || !isOneLine(text)),
                             "error '" + error + "'", position);
}

// The plain definition: an optional minus and digits. The magnitude stops
// growing once it is beyond every bound asked about.
bool referenceNumber(const std::string &text, long long &value)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (text.size() == first)
        return false;
    long long magnitude = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        if (magnitude <= UINT32_MAX)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

template<typename Number> void checkNumber(const std::string &text, bool valid, long long expected)
{
    constexpr Number Unset = 12345;
    Number value = Unset;
    const bool parsed = CNumberText::parse(text, value);
    CInvariantCheck::require(parsed == valid && value == (parsed ? expected : Unset),
                             "number '" + text + "' " + (parsed ? "accepted" : "refused") + " as "
                                 + std::to_string(value));
}

void checkNumberText(const std::string &text)
{
    long long expected = 0;
    const bool number = referenceNumber(text, expected);
    checkNumber<int>(text, number && expected >= INT_MIN && expected <= INT_MAX, expected);
    checkNumber<std::uint32_t>(text, number && text[0] != '-' && expected <= UINT32_MAX, expected);
}

bool isShallow(const std::string &skill)
{
    int depth;
    return skill == "poor" || (CNumberText::parse(skill, depth) && depth <= MaxFuzzedDepth);
}

// A match costs its games times their depth. Its arguments and options are
// read as the tool reads them. Only a match of one job takes the same path
// on every run: with workers the path depends on which game ends first, and
// a fixed-seed run would not repeat.
bool isCostlyMatch(const std::vector<std::string> &arguments)
{
    std::vector<std::string> words;
    std::map<std::string, std::string> options;
    std::string error;
    if (!CCommandLine::readWords(CMatchCommand(), { arguments.begin() + 1, arguments.end() }, words,
                                 options, error))
        return false;
    const auto jobs = options.find("jobs");
    if (jobs == options.end() || jobs->second != "1")
        return true;
    int games;
    return words.size() != 4 || !isShallow(words[0]) || !isShallow(words[1])
        || !CNumberText::parse(words[2], games) || games > MaxFuzzedGames;
}

// A fixed suite of deep searches, or a count, search or match too deep to
// repeat thousands of times a second.
bool tooCostly(const std::vector<std::string> &arguments)
{
    if (arguments[0] == "bench")
        return true;
    if (arguments[0] == "match")
        return isCostlyMatch(arguments);
    const bool deep = arguments[0] == "perft" || arguments[0] == "best";
    int depth;
    return deep && arguments.size() >= 3 && CNumberText::parse(arguments[2], depth)
        && depth > MaxFuzzedDepth;
}

// Without --pdn the summary is the result; with it, the summary goes to
// the error stream and the games are the result.
void checkMatchOutput(const std::vector<std::string> &arguments, const std::string &out,
                      const std::string &err)
{
    std::vector<std::string> words;
    std::map<std::string, std::string> options;
    std::string error;
    CCommandLine::readWords(CMatchCommand(), { arguments.begin() + 1, arguments.end() }, words,
                            options, error);
    const bool pdn = options.count("pdn") > 0;
    const std::string &summary = pdn ? err : out;
    CInvariantCheck::require(summary.rfind("result ", 0) == 0
                                 && (pdn ? out.rfind("[Event ", 0) == 0 : err.empty()),
                             "match printed '" + out + "' and '" + err + "'");
}

// The position played to must read back as input: only a game already over
// gets no step, only its verdict.
void checkPlayOutput(const std::string &out)
{
    if (out == "illegal\n" || out == "gameover 0\n" || out == "gameover 3\n"
        || out == "gameover 4\n")
        return;
    const std::vector<std::string> lines = split(out, '\n');
    CPosition position;
    std::string error;
    CInvariantCheck::require(!lines.empty() && CPositionText::parse(lines[0], position, error),
                             "play printed '" + out + "'", position);
    CInvariantCheck::requireSound(position, "after play");
    const bool ending = lines.size() == 1
        || (lines.size() == 2
            && (lines[1] == "gameover 0" || lines[1] == "gameover 3" || lines[1] == "gameover 4"));
    CInvariantCheck::require(ending, "play printed '" + out + "'", position);
}

// The listing must hold exactly the pairs the rules accept, in order.
void checkMovesOutput(const std::string &text, const std::string &out)
{
    CPosition position;
    std::string error;
    CPositionText::parse(text, position, error);
    std::string expected;
    int captured;
    for (int from = 0; from < CGameState::SquareCount; ++from) {
        for (int to = 0; to < CGameState::SquareCount; ++to) {
            if (position.isLegalMove(from, to, captured))
                expected += std::to_string(from) + '-' + std::to_string(to) + '\n';
        }
    }
    CInvariantCheck::require(out == expected, "moves printed '" + out + "', not '" + expected + "'",
                             position);
}

void checkRefusal(int status, const std::string &message)
{
    bool printable = true;
    for (char c : message.substr(0, message.size() - 1))
        printable = printable && c >= ' ' && c <= '~';
    CInvariantCheck::require(status == CCommandLine::BadInput && printable && !message.empty()
                                 && message.back() == '\n',
                             "status " + std::to_string(status) + ", error '" + message + "'");
}

void checkCommandLine(const std::vector<std::string> &arguments)
{
    if (!arguments.empty() && tooCostly(arguments))
        return;
    const CCommandLine commandLine;
    std::ostringstream out, err;
    const int status = commandLine.run(arguments, out, err);
    if (status == 0) {
        switch (CCommandLine::request(arguments)) {
        case CCommandLine::Request::Help:
            CInvariantCheck::require(out.str().rfind("usage: checkers-cli ", 0) == 0,
                                     "--help printed '" + out.str() + "'");
            return;
        case CCommandLine::Request::Version:
            CInvariantCheck::require(out.str() == CCommandLine::version(),
                                     "--version printed '" + out.str() + "'");
            return;
        case CCommandLine::Request::Run:
            break;
        }
        if (arguments[0] == "match") {
            checkMatchOutput(arguments, out.str(), err.str());
            return;
        }
        CInvariantCheck::require(err.str().empty(), "success with '" + err.str() + "'");
        if (arguments[0] == "moves")
            checkMovesOutput(arguments[1], out.str());
        if (arguments[0] == "play")
            checkPlayOutput(out.str());
        return;
    }
    CInvariantCheck::require(out.str().empty(), "output before an error: '" + out.str() + "'");
    // Bare, the usage, over several lines.
    if (arguments.empty())
        CInvariantCheck::require(
            status == CCommandLine::BadInput && err.str().rfind("usage: checkers-cli ", 0) == 0,
            "bare: status " + std::to_string(status) + ", '" + err.str() + "'");
    else
        checkRefusal(status, err.str());
}

// Each line a final position and a result token; the games before a bad
// one are printed before its error.
void checkReplayOutput(const std::string &out)
{
    for (const std::string &line : split(out, '\n')) {
        const std::string::size_type space = line.rfind(' ');
        const std::string result = space == std::string::npos ? "" : line.substr(space + 1);
        CPosition position;
        std::string error;
        CInvariantCheck::require(CPositionText::parse(line.substr(0, space), position, error)
                                     && (result == "1-0" || result == "0-1" || result == "1/2-1/2"
                                         || result == "0-0" || result == "*"),
                                 "replay printed '" + line + "'", position);
        CInvariantCheck::requireSound(position, "after replay");
    }
}

// An engine session that sets a depth too deep to search thousands of
// times a second.
bool isCostlySession(const std::string &input)
{
    const std::string_view mark = CProtocolLine::ByteOrderMark;
    const bool marked = input.compare(0, mark.size(), mark) == 0;
    for (const std::string &text : split(input.substr(marked ? mark.size() : 0), '\n')) {
        CProtocolLine line;
        std::string reason;
        int depth;
        if (CProtocolLine::parse(text, line, reason) && line.command() == "level"
            && CNumberText::parse(line.value("depth"), depth) && depth > MaxFuzzedDepth)
            return true;
    }
    return false;
}

// Every answer one of the engine's replies, or the info of a search on a
// clock, each a line that reads back.
void checkEngineOutput(const std::string &out)
{
    for (const std::string &text : split(out, '\n')) {
        CProtocolLine line;
        std::string reason;
        const bool read = CProtocolLine::parse(text, line, reason);
        const std::string &word = line.command();
        CInvariantCheck::require(read && line.text() == text
                                     && (word == "id" || word == "wait" || word == "ready"
                                         || word == "pong" || word == "done" || word == "error"
                                         || word == "info"),
                                 "engine answered '" + text + "'");
    }
}

// A command that reads standard input, given the rest of the text, never
// the fuzzer's own input, which may be a terminal.
void checkReading(const std::string &command, const std::string &input)
{
    if (command == "engine" && isCostlySession(input))
        return;
    std::istringstream in(input);
    std::streambuf *const standardInput = std::cin.rdbuf(in.rdbuf());
    const CCommandLine commandLine;
    std::ostringstream out, err;
    const int status = commandLine.run({ command }, out, err);
    std::cin.rdbuf(standardInput);
    if (command == "replay")
        checkReplayOutput(out.str());
    if (command == "engine") {
        CInvariantCheck::require(status == 0 && err.str().empty(), "engine failed: " + err.str());
        checkEngineOutput(out.str());
        return;
    }
    if (status == 0)
        CInvariantCheck::require(err.str().empty() && !out.str().empty()
                                     && (command == "replay" || out.str().rfind("result ", 0) == 0),
                                 command + " succeeded with '" + err.str() + "'");
    else
        checkRefusal(status, err.str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    checkPositionText(text);
    checkNumberText(text);
    const std::string::size_type lineEnd = text.find('\n');
    const std::string command = text.substr(0, lineEnd);
    if (command == "replay" || command == "tally" || command == "engine")
        checkReading(command, lineEnd == std::string::npos ? "" : text.substr(lineEnd + 1));
    else
        checkCommandLine(split(text, '\n'));
    return 0;
}
