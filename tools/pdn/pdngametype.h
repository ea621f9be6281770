#ifndef CHECKERS_TOOLS_PDN_PDNGAMETYPE_H
#define CHECKERS_TOOLS_PDN_PDNGAMETYPE_H

#include <string>
#include <vector>

// The GameType tag: "TYPE[,COLOUR,WIDTH,HEIGHT,NOTATION[,INVERT]]". No
// type number names this game, so an assigned number is another game, and
// a long form must describe this one: White first on 8x8, squares numbered
// from the top left (N2) or named from a1 at the bottom left (A0), the
// bottom-left corner played on (invert 0).
class CPdnGameType
{
public:
    // What match writes.
    static const char *const ThisGame;

    // On refusal reason names the game the tag describes, or the field of
    // the long form that differs from this game's.
    static bool check(const std::string &value, std::string &reason);

private:
    static bool checkLongForm(const std::vector<std::string> &fields, const std::string &value,
                              std::string &reason);
};

#endif
