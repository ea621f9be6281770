#include "tallycommand.h"

#include "tools/match/matchsummary.h"
#include "tools/match/matchtally.h"
#include "tools/pdn/pdnreader.h"

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
    return { { "complete", "" } };
}

std::string CTallyCommand::help() const
{
    return "reads the PDN of games of one match from standard input, as match --pdn writes "
           "them, its shards in any order, and prints the summary match prints for those games: "
           "the result line, A's score with the Elo difference and its 95% interval, and "
           "\"GAMES of TOTAL games\". The Event tag names the match, the Round the game. Refuses "
           "games of two matches, a Round given twice or outside the match, and a game whose "
           "moves do not replay to where the rules end it.\n"
           "--complete: also refuse games that miss a Round of the match, naming the first.";
}

bool CTallyCommand::run(const Call &call, std::string &error) const
{
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

bool CTallyCommand::summarise(const Call &call, const CMatchTally &tally, std::string &error)
{
    if (tally.games() == 0) {
        error = "the input holds no game";
        return false;
    }
    if (call.options.count("complete") > 0 && !tally.isComplete(error))
        return false;
    const CMatchFigures figures = tally.figures();
    call.out << CMatchSummary(tally.spec().a().label(), tally.spec().b().label())
                    .text(figures,
                          CMatchSummary::countLine(figures.score().games(), tally.spec().games()),
                          tally.faults());
    return true;
}
