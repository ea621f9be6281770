#ifndef CHECKERS_TOOLS_CLI_MATCHCOMMAND_H
#define CHECKERS_TOOLS_CLI_MATCHCOMMAND_H

#include "command.h"
#include "tools/match/matchevent.h"
#include "tools/pdn/pdnwriter.h"

#include <chrono>
#include <optional>

class CMatchGame;
class COpening;

// match A B GAMES SEED [--games FROM-TO] [--jobs N] [--pdn] [--ballot]
// [--openings FILE] [--sprt ELO0,ELO1] [--alpha A] [--beta B]
// [--elo-model MODEL]: self-play between two skills or search depths, with a
// summary of the score and what it says about their difference in strength;
// --pdn writes the games as well, --games only some of them. --ballot and
// --openings play them in pairs from openings, --sprt stops them once a
// sequential test decides.
class CMatchCommand : public CCommand
{
public:
    // Seconds an engine has for each answer, by default and at the most.
    static constexpr double DefaultTimeout = 60;
    static constexpr int MaxTimeout = 86400;
    static constexpr int MaxGames = 100000;
    static constexpr int MaxJobs = 256;

    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::vector<Option> options() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;

private:
    static bool readRange(const Call &call, int total, int &first, int &last, std::string &error);
    static bool readJobs(const Call &call, int &jobs, std::string &error);
    static bool readTimeout(const Call &call, std::chrono::milliseconds &timeout,
                            std::string &error);
    static bool readSprt(const Call &call, int total, std::optional<CSprt::Settings> &sprt,
                         std::string &error);
    static bool readElos(const std::string &text, CSprt::Settings &settings, std::string &error);
    static bool readRate(const Call &call, const std::string &name, double &rate,
                         std::string &error);
    static bool readModel(const Call &call, CSprt::Settings &settings, std::string &error);
    static bool readOpenings(const Call &call, CMatchEvent::Setup &setup,
                             std::vector<COpening> &openings, std::string &error);
    static int processors();
    static void writeGame(std::ostream &out, CPdnWriter::Tags tags, const CMatchGame &game);
    static std::string speedLine(int games, long long steps, double seconds);
    static std::string today();
};

#endif
