#include "replaycommand.h"

#include "tools/pdn/pdnreader.h"
#include "tools/position/positiontext.h"

namespace {

std::string games(int count)
{
    return std::to_string(count) + (count == 1 ? " game" : " games");
}

} // namespace

CReplayCommand::CReplayCommand(std::istream &in)
    : m_in(in)
{ }

std::string CReplayCommand::name() const
{
    return "replay";
}

std::vector<std::string> CReplayCommand::parameters() const
{
    return {};
}

std::vector<CCommand::Option> CReplayCommand::options() const
{
    return { { "keep-going", "" } };
}

std::string CReplayCommand::help() const
{
    return "reads games in PDN from standard input and plays them, variations included, "
           "through the rules; prints each game's final position, as play prints one, and its "
           "result token. Stops at the first bad game; --keep-going reports each bad game on "
           "standard error, reads on, and ends with \"N games, M bad\", counting every game";
}

bool CReplayCommand::run(const Call &call, std::string &error) const
{
    const bool keepGoing = call.options.count("keep-going") > 0;
    CPdnReader reader(m_in);
    int good = 0, bad = 0;
    for (;;) {
        const CPdnReader::Outcome outcome = reader.readGame();
        if (outcome != CPdnReader::GameRead && readFailed(m_in))
            return true;
        switch (outcome) {
        case CPdnReader::GameRead:
            call.out << CPositionText::format(reader.position()) << ' ' << reader.result()
                     << std::endl;
            // Lost output ends the run; the command line reports it.
            if (!call.out)
                return true;
            ++good;
            break;
        case CPdnReader::NoMoreGames:
            return summarise(call, good, bad, error);
        case CPdnReader::BadInput:
            if (!keepGoing) {
                error = reader.error();
                return false;
            }
            call.err << errorLine(reader.error()) << std::flush;
            ++bad;
            break;
        }
    }
}

// The count is a result, which goes on standard error as the bad games'
// lines did, with the status of bad input.
bool CReplayCommand::summarise(const Call &call, int good, int bad, std::string &error)
{
    if (good + bad == 0) {
        error = "the input holds no game";
        return false;
    }
    if (bad > 0)
        call.err << errorLine(games(good + bad) + ", " + std::to_string(bad) + " bad")
                 << std::flush;
    return bad == 0;
}
