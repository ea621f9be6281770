#ifndef CHECKERS_TOOLS_CLI_MATCHCOMMAND_H
#define CHECKERS_TOOLS_CLI_MATCHCOMMAND_H

#include "command.h"
#include "tools/pdn/pdnwriter.h"

#include <chrono>
#include <memory>

class CMatchFile;
class CMatchGame;
class CMatchPlayer;
class CMatchSpec;
class CPlayerSpec;
class CProtocolLog;

// match A B GAMES SEED [options]: games between two players, the built-in
// search at a depth or engine programs, with a summary of the score and
// what it says about their difference in strength; CMatchSpec reads the
// arguments and the options. --pdn writes the games as well, --games only
// some of them. --ballot and --openings play them in pairs from openings,
// --sprt stops them once a sequential test decides.
class CMatchCommand : public CCommand
{
public:
    std::string name() const override;
    std::vector<std::string> parameters() const override;
    std::vector<Option> options() const override;
    std::string help() const override;
    bool run(const Call &call, std::string &error) const override;

private:
    // Reads back the games --pdn-file holds and opens it to write on; an
    // input or output failure is one of its own.
    static bool openFile(const Call &call, CMatchFile &file, std::string &error);
    // Starts an engine once to learn its name; nothing for the built-in
    // player.
    static bool identify(CPlayerSpec &player, std::chrono::milliseconds timeout, CProtocolLog *log,
                         std::string &error);
    // A player of its own for job `job` of the match.
    static std::shared_ptr<CMatchPlayer> makePlayer(const CPlayerSpec &player,
                                                    std::chrono::milliseconds timeout,
                                                    CProtocolLog *log, int job);
    static void warnOfUnfairClocks(const CMatchSpec &spec, std::ostream &err);
    static void writeGame(std::ostream &out, CPdnWriter::Tags tags, const CMatchSpec &spec,
                          const CMatchGame &game);
    static std::string today();
};

#endif
