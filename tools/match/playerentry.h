#ifndef CHECKERS_TOOLS_MATCH_PLAYERENTRY_H
#define CHECKERS_TOOLS_MATCH_PLAYERENTRY_H

#include <string>
#include <utility>
#include <vector>

// One player of a match as the command line names it: a skill (poor,
// medium, good), a search depth, or DEPTH@COMMAND, the engine program that
// COMMAND starts, searching at DEPTH; any of them after NAME= to name it.
// The command is split into words here and nowhere else, as
// QProcess::splitCommand splits it: no shell runs it.
//
// A named player is NAME everywhere: in the White and Black tags, the
// summary and the Event tag. Otherwise a built-in player is named in the
// summary as given, and in the tags "depth D" or "SKILL (depth D)"; an
// engine is named in the tags "ID (version VERSION, depth D)", as its id
// line names it, and in the summary "D@ID" with every blank of ID made '_',
// so that each field of a line stays one word.
class CPlayerEntry
{
public:
    // The deepest a player searches at a fixed depth, and on a clock.
    static constexpr int MaxDepth = 9;
    static constexpr int MaxClockDepth = 64;
    // KEY and VALUE of each parameter an engine is given, in order.
    using Parameters = std::vector<std::pair<std::string, std::string>>;

    // Reads the argument, its depth from 1 to maxDepth; what names it in
    // the error, A or B.
    bool read(const std::string &text, const std::string &what, int maxDepth, std::string &error);

    int depth() const { return m_depth; }
    bool isEngine() const { return !m_words.empty(); }
    // The engine's program and its arguments; empty for the built-in player.
    const std::vector<std::string> &words() const { return m_words; }
    const std::string &command() const { return m_command; }

    // What the engine called itself in its id line; its command if nothing.
    void identify(const std::string &id, const std::string &version);
    // Whether both are one player: the same name, depth and program.
    bool isSameAs(const CPlayerEntry &other) const;
    // Whether text is a name a player may have: letters, digits, '.', '_'
    // and '-'.
    static bool isName(const std::string &text);

    // The parameters the engine listed in its greeting. An engine that
    // listed some takes no other; one that listed none takes any.
    void listParameters(std::vector<std::string> keys);
    const std::vector<std::string> &listedParameters() const { return m_listed; }
    bool takesParameter(const std::string &key) const;
    // The parameters it is given, sent to each of its processes.
    void addParameter(const std::string &key, const std::string &value);
    const Parameters &parameters() const { return m_parameters; }

    // Its name in the summary's lines and in the White and Black tags.
    std::string label() const;
    std::string tag() const;
    // Its word in the Event tag: its name and its level, and for an engine
    // the name it gave itself, not its command, so that the games of one
    // match agree wherever the program lies.
    std::string eventWord() const;

private:
    bool readName(const std::string &text, const std::string &what, std::string &error);
    bool readDepth(const std::string &text, const std::string &what, int maxDepth,
                   std::string &error);
    std::string engineLabel() const;

    // The name given, and the argument after it.
    std::string m_name;
    std::string m_text;
    int m_depth = 0;
    std::string m_command;
    std::vector<std::string> m_words;
    std::string m_id;
    std::string m_version;
    std::vector<std::string> m_listed;
    Parameters m_parameters;
};

#endif
