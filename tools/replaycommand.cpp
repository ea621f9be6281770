#include "replaycommand.h"

#include "pdnreader.h"
#include "positiontext.h"

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

std::string CReplayCommand::help() const
{
    return "reads games in PDN from standard input and plays them through the rules; prints\n"
           "each game's final position, as play prints one, and its result token";
}

bool CReplayCommand::run(const Call &call, std::string &error) const
{
    CPdnReader reader(m_in);
    bool any = false;
    for (;;) {
        switch (reader.readGame()) {
        case CPdnReader::GameRead:
            call.out << CPositionText::format(reader.position()) << ' ' << reader.result()
                     << std::endl;
            // Lost output ends the run; the command line reports it.
            if (!call.out)
                return true;
            any = true;
            break;
        case CPdnReader::NoMoreGames:
            if (!any)
                error = "the input holds no game";
            return any;
        case CPdnReader::BadInput:
            error = reader.error();
            return false;
        }
    }
}
