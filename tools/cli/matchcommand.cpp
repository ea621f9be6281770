#include "matchcommand.h"

#include "matchsession.h"
#include "tools/match/matchplan.h"

std::string CMatchCommand::name() const
{
    return "match";
}

std::vector<std::string> CMatchCommand::parameters() const
{
    return { "A", "B", "GAMES", "SEED" };
}

std::vector<CCommand::Option> CMatchCommand::options() const
{
    std::vector<Option> options;
    for (const CMatchPlan::Option &option : CMatchPlan::options())
        options.push_back(
            { option.name, option.value, option.letter, CMatchPlan::isRepeatable(option.name) });
    return options;
}

std::string CMatchCommand::help() const
{
    return "GAMES games (1 to 10000000) of the computer against itself from the initial "
           "position, A with White in the odd-numbered games, each move step a search as in the "
           "game. A and B are poor, medium or good (depth 1, 3 or 5), a depth from 1 to 9, or "
           "DEPTH@COMMAND: the engine program COMMAND (split into words at blanks, double quotes "
           "grouping them; no shell) asked over the engine protocol for each of its steps at "
           "DEPTH; an illegal step, a crash, a time-out or a broken reply loses it the game, "
           "which a Termination tag records, and the summary counts its faults. An engine that "
           "cannot be started again ends the match after that game, with status 1. "
           "NAME=PLAYER names a player, NAME letters, digits, '.', '_' and '-': the tags, the "
           "summary and the Event use it; two players that differ must not share a name. "
           "SEED is 0 to 4294967295.\n"
           "Each search seeds its generator with the low 32 bits of "
           "splitmix64(splitmix64(splitmix64(SEED) + GAME) + PLY), GAME the game's number from 1 "
           "and PLY the move steps already played in it, so the same arguments give the same "
           "games.\n"
           "Prints \"result A B WINS_A WINS_B DRAWS\", A's score with the Elo difference and its "
           "95% likelihood-ratio interval over wins, draws and losses, and the time taken.\n"
           "--games FROM-TO: play only games FROM to TO of the match, the same games in the same "
           "PDN, so that shards of a match can run apart and be added up by tally.\n"
           "--jobs N, -j N: play N games at once, 1 to 256 (default: the number of processors "
           "the tool may run on, as nproc counts them).\n"
           "--pdn (no value): write the games in PDN to standard output, the summary to standard "
           "error; their Date tag is the local date when the match started.\n"
           "--pdn-file FILE: write the games to FILE instead, each whole game appended and "
           "flushed to the disk before the next, and the summary to standard error. The same "
           "command run again goes on where the match stopped (Ctrl-C, a kill, a power loss): a "
           "last game cut short is written again whole, the figures and the test take up the "
           "games FILE holds, and a match already over only prints its summary, with \"GAMES of "
           "TOTAL games\" for the time. A FILE that holds another match's games, Rounds that do "
           "not follow on from the run's first game, or anything after its whole games but this "
           "match's next game cut short, is refused and left as it is.\n"
           "--report N: after every N games (paired, at the first whole pair from N games on), "
           "a line on standard error, whatever it is: \"status games G wins W draws D losses L "
           "elo E low LOW high HIGH\", from A's side, then \"pairs P0 P1 P2 P3 P4\" when paired "
           "and \"llr LLR lower LOWER upper UPPER\" with --sprt; the progress line then shows "
           "the score and the LLR as well.\n"
           "--ballot (no value): play the games in pairs from the built-in deck of openings that "
           "the openings command prints: games 2k-1 and 2k play opening k, the openings taken in "
           "deck order from the first, cycling; the opening's move steps start each game's PDN "
           "and count in PLY.\n"
           "--openings FILE: the same from the games of a PDN file, each one opening: its start "
           "position (a FEN included) and its main line.\n"
           "--openings-order sequential|random: take the openings in the order listed (the "
           "default) or shuffled by SEED: Fisher-Yates from the last down, opening i swapping "
           "with opening splitmix64(splitmix64(SEED) + i) mod (i + 1), so that shards agree. "
           "--openings-start K: begin at the K-th opening of that order. The Event records "
           "either where it is not the default.\n"
           "With either of these or --sprt the summary adds \"pairs P0 P1 P2 P3 P4\", the pairs "
           "in which A scored 0, 1/2, 1, 1 1/2 and 2 points, and A's normalized Elo with its 95% "
           "interval; the Event tag records the options.\n"
           "--sprt ELO0,ELO1: after each pair, a sequential probability ratio test over the pairs "
           "of H0 (A is stronger by ELO0) against H1 (by ELO1), ELO0 below ELO1; the match stops "
           "after the first pair at which it accepts one, so GAMES, even, is a maximum (a --games "
           "shard plays all its games). The summary adds \"sprt LLR LOWER UPPER VERDICT\", "
           "VERDICT H0, H1 or none, and a sentence.\n"
           "--alpha A, --beta B: the test's error rates, above 0 and below 0.5 (default 0.05 "
           "each).\n"
           "--elo-model normalized|logistic: what ELO0 and ELO1 measure (default normalized).\n"
           "--param NAME:KEY=VALUE, more than once: send \"set-param name=KEY value=VALUE\" to "
           "each process of the engine player named NAME (as NAME= names it, or DEPTH@ID), after "
           "its greeting and before init; VALUE is printable ASCII without blanks or '\"'. An "
           "engine that lists its parameters in its greeting (\"param name=KEY ...\") takes no "
           "other KEY. The Event records them.\n"
           "--timeout SECONDS: how long an engine has for each answer, above 0 and up to 86400 "
           "(default 60).\n"
           "--tc BASE[+INC]: play on a clock of BASE seconds a side, INC added after each turn; "
           "--movetime S: S seconds a step. Either makes DEPTH a cap, 1 to 64: the built-in "
           "player deepens its search until its time is spent, engines get \"level time=LEFT "
           "inc=INC depth=DEPTH\" or \"level move-time=S depth=DEPTH\". A side over its time "
           "by more than --timemargin MS (default 100) loses on time. The PDN gets a TimeControl "
           "tag and each turn's clock, as {[%clk H:MM:SS.ss] [%emt S]}. Results on a clock are "
           "not reproducible.\n"
           "--log FILE: write every line sent to and read from the engines, as \"MS JOB NAME > "
           "LINE\" and \"MS JOB NAME < LINE\".";
}

bool CMatchCommand::run(const Call &call, std::string &error) const
{
    CMatchPlan plan;
    return plan.read(call.arguments, call.options, error) && CMatchSession(call, plan).run(error);
}
