#ifndef CHECKERS_TOOLS_MATCH_PLAYERNAME_H
#define CHECKERS_TOOLS_MATCH_PLAYERNAME_H

#include <string>

// How a match names its players. A built-in player is named in the summary
// as given, a skill or a depth, and in the White and Black tags as
// "depth D" or "SKILL (depth D)". An engine program is named in the tags
// "NAME (version VERSION, depth D)", as its id line names it, and in the
// summary "D@NAME" with every blank of NAME made '_', so that each field
// of a line stays one word.
class CPlayerName
{
public:
    static std::string searchTag(const std::string &skill, int depth);
    static std::string engineTag(const std::string &name, const std::string &version, int depth);
    static std::string engineLabel(const std::string &name, int depth);
    // The summary's name of the engine whose tag engineTag() wrote; false
    // for any other tag.
    static bool labelOfTag(const std::string &tag, int depth, std::string &label);
};

#endif
