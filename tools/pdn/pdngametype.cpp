#include "pdngametype.h"

#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"

#include <vector>

const char *const CPdnGameType::ThisGame = "99,W,8,8,N2,0";

namespace {

struct Assigned
{
    int number;
    const char *name;
};

const Assigned AssignedTypes[] = {
    { 20, "international draughts" }, { 21, "English draughts" },  { 22, "Italian draughts" },
    { 23, "pool checkers" },          { 24, "Spanish draughts" },  { 25, "Russian draughts" },
    { 26, "Brazilian draughts" },     { 27, "Canadian draughts" }, { 28, "Portuguese draughts" },
    { 29, "Czech draughts" },         { 30, "Turkish draughts" },  { 31, "Thai draughts" },
    { 40, "Frisian draughts" },       { 41, "Spantsiretti" },      { 50, "Othello" },
};

// The reserved numbers stand for draughts games still to come.
constexpr int FirstReserved = 42;
constexpr int LastReserved = 49;

struct Field
{
    const char *name;
    const char *expected;
};

// The long form's fields after the type number, as this game has them.
const Field Fields[] = { { "start colour", "W" },
                         { "width", "8" },
                         { "height", "8" },
                         { "notation", "N2 or A0" },
                         { "invert flag", "0" } };
constexpr std::size_t NotationField = 4;

std::string assignedName(const std::string &type)
{
    int number = 0;
    if (!CNumberText::parse(type, number))
        return "";
    if (number >= FirstReserved && number <= LastReserved)
        return "reserved for a draughts game to come";
    for (const Assigned &assigned : AssignedTypes) {
        if (assigned.number == number)
            return assigned.name;
    }
    return "";
}

bool isNumber(const std::string &text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool isLetterOf(const std::string &text, std::string::size_type at, const char *letters)
{
    return at < text.size() && std::string(letters).find(text[at]) != std::string::npos;
}

// [0-9]+(,[WB],[0-9]+,[0-9]+,[ANS][0123](,[01])?)?
bool isWellFormed(const std::vector<std::string> &fields)
{
    if (fields.size() == 1)
        return isNumber(fields[0]);
    if (fields.size() != 5 && fields.size() != 6)
        return false;
    const std::string &notation = fields[NotationField];
    return isNumber(fields[0]) && fields[1].size() == 1 && isLetterOf(fields[1], 0, "WB")
        && isNumber(fields[2]) && isNumber(fields[3]) && notation.size() == 2
        && isLetterOf(notation, 0, "ANS") && isLetterOf(notation, 1, "0123")
        && (fields.size() == 5 || (fields[5].size() == 1 && isLetterOf(fields[5], 0, "01")));
}

} // namespace

bool CPdnGameType::check(const std::string &value, std::string &reason)
{
    const std::vector<std::string> fields = CPositionText::split(value, ',');
    if (!isWellFormed(fields)) {
        reason = "GameType is TYPE[,COLOUR,WIDTH,HEIGHT,NOTATION[,INVERT]], not '" + value + "'";
        return false;
    }
    const std::string name = assignedName(fields[0]);
    if (!name.empty()) {
        reason = "GameType " + fields[0] + " is " + name
            + "; this tool reads draughts with White moving first on 8x8 with flying kings: "
              "GameType "
            + ThisGame;
        return false;
    }
    return checkLongForm(fields, value, reason);
}

bool CPdnGameType::checkLongForm(const std::vector<std::string> &fields, const std::string &value,
                                 std::string &reason)
{
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const Field &field = Fields[i - 1];
        const bool same = i == NotationField ? fields[i] == "N2" || fields[i] == "A0"
                                             : fields[i] == field.expected;
        if (!same) {
            reason = "GameType " + value + ": the " + field.name + " is " + fields[i] + ", not "
                + field.expected + "; this game is " + ThisGame;
            return false;
        }
    }
    return true;
}
