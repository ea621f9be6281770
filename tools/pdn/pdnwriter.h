#ifndef CHECKERS_TOOLS_PDN_PDNWRITER_H
#define CHECKERS_TOOLS_PDN_PDNWRITER_H

#include <string>
#include <utility>
#include <vector>

// Writes one game in Portable Draughts Notation: the seven archival tags, a
// GameType tag, SetUp and FEN tags if it starts from another position than
// the initial one, a Termination tag if its players ended it, and the
// numbered moves with the result token. Squares are numbered 1 to 32, the
// tool's 0 to 31 plus one.
class CPdnWriter
{
public:
    using Step = std::pair<int, int>;

    // The tags that the game itself does not decide.
    struct Tags
    {
        std::string event;
        std::string site;
        // YYYY.MM.DD
        std::string date;
        int round;
        std::string white;
        std::string black;
        // The start position as a FEN tag reads it; empty for the initial one.
        std::string fen;
        // Why the game ended when its players, not the rules, ended it;
        // empty for none.
        std::string termination;
        // The clock the players had, as "BASE+INC" seconds; empty for none.
        std::string timeControl = {};
    };

    // Move text lines stay within this many characters.
    static constexpr std::size_t LineWidth = 80;

    // The game of the move steps, which ended with result (a
    // CGameState::Result), as tags, a blank line and the move text. A
    // comment given for a step, which must end its turn, follows it in
    // braces.
    static std::string write(const Tags &tags, const std::vector<Step> &steps, int result,
                             const std::vector<std::string> &comments = {});
    // The move text alone: the numbered moves from the start position that
    // fen gives (the initial one if empty), then the result token.
    static std::string moveText(const std::string &fen, const std::vector<Step> &steps,
                                const std::string &result,
                                const std::vector<std::string> &comments = {});
    // 1-0, 0-1 or 1/2-1/2 for a CGameState::Result.
    static std::string resultToken(int result);

private:
    static std::string tag(const std::string &name, const std::string &value);
    static std::vector<std::string> moveTokens(const std::string &fen,
                                               const std::vector<Step> &steps,
                                               const std::vector<std::string> &comments);
    static std::string wrapped(const std::vector<std::string> &tokens);
};

#endif
