#ifndef CHECKERS_TOOLS_MATCH_MATCHPLAN_H
#define CHECKERS_TOOLS_MATCH_MATCHPLAN_H

#include "matchclock.h"
#include "opening.h"
#include "openingorder.h"
#include "playerentry.h"
#include "sprt.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One match as a command line describes it: its two players, the number of
// games and the seed, the openings the games start from, the sequential
// test, and how this run plays them (which games, how many at once, where
// they go, how long an engine may take). match reads it from its arguments
// and options; tally reads it back from the Event tag of the games, which
// holds what makes the games what they are, in one grammar, the command
// line's own:
//
//   checkers-cli match A B GAMES SEED [--ballot | --openings NAME]
//       [--openings-order random] [--openings-start K]
//       [--sprt ELO0,ELO1 --alpha A --beta B --elo-model MODEL]
//       [--param NAME:KEY=VALUE ...]
//
// with GAMES and SEED as given, each player as CPlayerEntry::eventWord()
// names it, the openings file's name without its folders (so that shards
// run from other folders or machines agree), every number in its shortest
// form and the test's defaults written out; the order of the openings only
// where it is not the default, so that the same games have one tag.
class CMatchPlan
{
public:
    static constexpr int MaxGames = 10000000;
    static constexpr int MaxJobs = 256;
    // Seconds an engine has for each answer, by default and at the most.
    static constexpr double DefaultTimeout = 60;
    static constexpr int MaxTimeout = 86400;
    // How far past its time a player may answer before it loses on time, in
    // milliseconds: pipes and a busy machine cost an engine some.
    static constexpr int DefaultMargin = 100;

    // One option of match: --NAME VALUE, or --NAME alone when value is
    // empty, -LETTER as well if it has one.
    struct Option
    {
        const char *name;
        const char *value;
        char letter;
        // Whether the Event tag records it.
        bool inEvent;
        // The option it means nothing without, if any.
        const char *needs;
        bool (CMatchPlan::*read)(const std::string &value, std::string &error);
    };
    // Every option, in the order the usage lists them and the Event writes
    // them.
    static const std::vector<Option> &options();
    // Whether the option may be given more than once; read() then has its
    // values joined by a NUL, which no argument can hold.
    static bool isRepeatable(const std::string &name);

    // Reads match's four arguments and the options given, by name. False
    // with one line saying what is wrong.
    bool read(const std::vector<std::string> &arguments,
              const std::map<std::string, std::string> &options, std::string &error);
    // The Event tag, once the engines are identified.
    std::string event() const;
    // False with one line when A and B are two players under one name.
    bool checkNames(std::string &error) const;
    // Gives each --param to the engine player it names, once the engines
    // are identified; false with one line when it names no engine player,
    // or a KEY that the engine did not list among its parameters.
    bool giveParams(std::string &error);
    // Reads an Event tag as event() writes it; false for any other text.
    bool readEvent(const std::string &text);

    CPlayerEntry &a() { return m_a; }
    CPlayerEntry &b() { return m_b; }
    const CPlayerEntry &a() const { return m_a; }
    const CPlayerEntry &b() const { return m_b; }
    int games() const { return m_games; }
    std::uint32_t seed() const { return m_seed; }
    // The games this run plays, FROM to TO, all by default.
    int first() const { return m_first; }
    int last() const { return m_last; }
    // Whether this run plays the games --games names: it cannot know
    // whether the match stopped before them.
    bool isShard() const { return m_shard; }
    int jobs() const { return m_jobs; }
    // Whether the games are written, to standard output or to a file.
    bool writesPdn() const { return m_pdn || !m_pdnFile.empty(); }
    // The file --pdn-file names, empty for none.
    const std::string &pdnFile() const { return m_pdnFile; }
    // Every how many games a status line is due; 0 for none.
    int reportEvery() const { return m_reportEvery; }
    std::chrono::milliseconds timeout() const { return m_timeout; }
    const std::optional<CSprt::Settings> &sprt() const { return m_sprt; }
    // The time control, if the match is on a clock.
    const std::optional<CTimeControl> &timeControl() const { return m_timeControl; }
    // A game's clocks, if the match is on a clock.
    std::optional<CMatchClock> clock() const;
    // Where --log writes the protocol's lines; empty for nowhere.
    const std::string &logPath() const { return m_logPath; }
    // Whether the games are counted in pairs too.
    bool isPaired() const;
    // The openings the games start from, in the order the pairs take them:
    // the deck's or the file's, or none for the initial position. False
    // with one line when the file will not do, or --openings-start is past
    // its last opening.
    bool loadOpenings(std::vector<COpening> &openings, std::string &error) const;
    // The order in which the pairs take the openings.
    COpeningOrder openingOrder() const;
    // Whether the games start from openings, the deck's or a file's.
    bool playsOpenings() const { return m_ballot || !m_openingsName.empty(); }
    // The name of the openings file the match plays, empty for none.
    const std::string &openingsName() const { return m_openingsName; }
    // Takes the openings from path, which must bear the name of the
    // match's openings file, as tally needs it; false with one line if not.
    bool useOpeningsFile(const std::string &path, std::string &error);
    // As nproc counts them: the processors this process may run on.
    static int processors();

private:
    bool readAll(const std::vector<std::string> &arguments,
                 const std::map<std::string, std::string> &given, std::string &error);
    bool readArguments(const std::vector<std::string> &arguments, int maxDepth, std::string &error);
    bool readOption(const Option &option, const std::map<std::string, std::string> &given,
                    std::string &error);
    bool check(std::string &error) const;
    bool readRange(const std::string &value, std::string &error);
    bool readJobs(const std::string &value, std::string &error);
    bool readPdn(const std::string &value, std::string &error);
    bool readPdnFile(const std::string &value, std::string &error);
    bool readReport(const std::string &value, std::string &error);
    bool readBallot(const std::string &value, std::string &error);
    bool readOpenings(const std::string &value, std::string &error);
    bool readOpeningsOrder(const std::string &value, std::string &error);
    bool readOpeningsStart(const std::string &value, std::string &error);
    bool readElos(const std::string &value, std::string &error);
    bool readAlpha(const std::string &value, std::string &error);
    bool readBeta(const std::string &value, std::string &error);
    bool readModel(const std::string &value, std::string &error);
    bool readTimeout(const std::string &value, std::string &error);
    bool readClock(const std::string &value, std::string &error);
    bool readMoveTime(const std::string &value, std::string &error);
    bool readMargin(const std::string &value, std::string &error);
    bool readLog(const std::string &value, std::string &error);
    bool readParams(const std::string &value, std::string &error);
    bool readParam(const std::string &text, std::string &error);
    bool giveParam(const std::string &player, const std::string &key, const std::string &value,
                   std::string &error);
    static bool refuseParameter(const CPlayerEntry &engine, const std::string &key,
                                std::string &error);
    std::string eventOptions() const;
    std::string orderOptions() const;
    std::string paramOptions() const;
    // Reads the deck or the file, in the order they list the openings.
    bool readOpeningsList(std::vector<COpening> &openings, std::string &error) const;

    std::vector<std::string> m_arguments;
    CPlayerEntry m_a;
    CPlayerEntry m_b;
    int m_games = 0;
    std::uint32_t m_seed = 0;
    int m_first = 1;
    int m_last = 0;
    bool m_shard = false;
    int m_jobs = 1;
    bool m_pdn = false;
    std::string m_pdnFile;
    int m_reportEvery = 0;
    std::chrono::milliseconds m_timeout { static_cast<long long>(DefaultTimeout * 1000) };
    bool m_ballot = false;
    // The openings file as given, and its name without its folders.
    std::string m_openingsPath;
    std::string m_openingsName;
    // Whether --openings-order or --openings-start was given, and what.
    bool m_ordered = false;
    bool m_shuffled = false;
    int m_openingsStart = 1;
    std::optional<CSprt::Settings> m_sprt;
    std::optional<CTimeControl> m_timeControl;
    std::chrono::milliseconds m_margin { DefaultMargin };
    std::string m_logPath;
    // Each --param: the player it names, its KEY and its VALUE.
    struct Param
    {
        std::string player;
        std::string key;
        std::string value;
    };
    std::vector<Param> m_params;
};

#endif
