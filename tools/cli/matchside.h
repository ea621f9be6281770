#ifndef CHECKERS_TOOLS_CLI_MATCHSIDE_H
#define CHECKERS_TOOLS_CLI_MATCHSIDE_H

#include "tools/match/matchplayer.h"

#include <chrono>
#include <memory>
#include <string>

// One player of a match as the command line names it: a skill (poor,
// medium, good), a search depth, or DEPTH@COMMAND, the engine program that
// COMMAND starts, searching at DEPTH.
class CMatchSide
{
public:
    static constexpr int MaxDepth = 9;

    // Reads the argument; what names it in the error, A or B.
    bool read(const std::string &text, const std::string &what, std::string &error);
    // Starts an engine's program once and greets it, to learn its name, so
    // that an engine that cannot play fails before any game. True at once
    // for a built-in player.
    bool probe(std::chrono::milliseconds timeout, std::string &error);

    // Its name in the summary's lines and in the White and Black tags.
    std::string label() const;
    std::string tag() const;
    // A player of its own for one job of the match.
    std::shared_ptr<CMatchPlayer> makePlayer(std::chrono::milliseconds timeout) const;

private:
    bool readDepth(const std::string &text, const std::string &what, std::string &error);

    std::string m_text;
    int m_depth = 0;
    // Empty for the built-in player.
    std::string m_command;
    std::string m_name;
    std::string m_version;
};

#endif
