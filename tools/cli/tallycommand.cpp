#include "tallycommand.h"

#include "tools/match/matchsummary.h"
#include "tools/match/matchtally.h"
#include "tools/match/openingtally.h"
#include "tools/pdn/pdnreader.h"
#include "tools/position/quotedtext.h"

CTallyCommand::CTallyCommand(std::istream &in)
    : m_in(in)
{ }

std::string CTallyCommand::name() const
{
    return "tally";
}

std::vector<std::string> CTallyCommand::parameters() const
{
    return {};
}

std::vector<CCommand::Option> CTallyCommand::options() const
{
    return { { "complete", "" }, { "by-opening", "" }, { "openings", "FILE" } };
}

std::string CTallyCommand::help() const
{
    return "reads the PDN of games of one match from standard input, as match --pdn writes "
           "them, its shards in any order, and prints the summary match prints for those games: "
           "the result line, A's score with the Elo difference and its 95% interval, and "
           "\"GAMES of TOTAL games\". The Event tag names the match, the Round the game. Refuses "
           "games of two matches, a Round given twice or outside the match, and a game whose "
           "moves do not replay to where the rules end it.\n"
           "--complete: also refuse games that miss a Round of the match, naming the first.\n"
           "--by-opening (no value): first one line for each opening played, in the order of "
           "its number K in the deck or the file (from 1, before any shuffle): \"opening K P0 "
           "P1 P2 P3 P4 W D L STEPS\", its pairs from A's side as the pairs line counts them, "
           "its games won by White, drawn and won by Black, and its moves as the openings "
           "command writes them (- for none). The lines' pairs add up to the pairs line.\n"
           "--openings FILE: with --by-opening, the openings file the match played, which must "
           "bear the name the Event tag gives; a match played from a file needs it.";
}

bool CTallyCommand::run(const Call &call, std::string &error) const
{
    if (call.options.count("openings") > 0 && call.options.count("by-opening") == 0) {
        error = "--openings belongs to --by-opening: it names the openings to count by";
        return false;
    }
    CPdnReader reader(m_in);
    CMatchTally tally;
    for (;;) {
        const CPdnReader::Outcome outcome = reader.readGame();
        if (outcome != CPdnReader::GameRead && readFailed(m_in))
            return true;
        switch (outcome) {
        case CPdnReader::GameRead:
            if (!tally.add(reader, error))
                return false;
            break;
        case CPdnReader::NoMoreGames:
            return summarise(call, tally, error);
        case CPdnReader::BadInput:
            error = reader.error();
            return false;
        }
    }
}

bool CTallyCommand::writeOpenings(const Call &call, const CMatchTally &tally, std::string &error)
{
    CMatchPlan plan = tally.plan();
    const auto file = call.options.find("openings");
    if (!plan.playsOpenings()) {
        error = "the match played every game from the initial position: it has no openings";
        return false;
    }
    if (file == call.options.end() && !plan.openingsName().empty()) {
        error = "the match played the openings file " + CQuotedText::quote(plan.openingsName())
            + ": give it with --openings FILE";
        return false;
    }
    std::vector<COpening> openings;
    if ((file != call.options.end() && !plan.useOpeningsFile(file->second, error))
        || !plan.loadOpenings(openings, error))
        return false;
    COpeningTally byOpening(openings,
                            plan.openingOrder().places(static_cast<int>(openings.size())));
    for (const auto &[round, halfPoints] : tally.countedGames())
        byOpening.add(round, halfPoints);
    call.out << byOpening.text();
    return true;
}

bool CTallyCommand::summarise(const Call &call, const CMatchTally &tally, std::string &error)
{
    if (tally.games() == 0) {
        error = "the input holds no game";
        return false;
    }
    if (call.options.count("complete") > 0 && !tally.isComplete(error))
        return false;
    if (call.options.count("by-opening") > 0 && !writeOpenings(call, tally, error))
        return false;
    const CMatchFigures figures = tally.figures();
    call.out << CMatchSummary(tally.plan().a().label(), tally.plan().b().label())
                    .text(figures,
                          CMatchSummary::countLine(figures.score().games(), tally.plan().games()),
                          tally.faults());
    return true;
}
