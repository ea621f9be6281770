#include "enginecommand.h"

#include "enginesession.h"

CEngineCommand::CEngineCommand(std::istream &in)
    : m_in(in)
{ }

std::string CEngineCommand::name() const
{
    return "engine";
}

std::vector<std::string> CEngineCommand::parameters() const
{
    return {};
}

std::string CEngineCommand::help() const
{
    return "speaks the engine protocol on standard input and output until \"quit\":\n"
           "hub, init, ping, pos pos=\"POS\" [moves=\"22-18 11-15 ...\"], level depth=N,\n"
           "go think seed=S (answered \"done move=F-T\"), quit; steps in PDN squares 1 to 32";
}

bool CEngineCommand::run(const Call &call, std::string &) const
{
    CEngineSession session;
    std::string text;
    while (!session.hasQuit() && std::getline(m_in, text)) {
        for (const CProtocolLine &answer : session.answer(text))
            call.out << answer.text() << '\n';
        call.out << std::flush;
        // Lost output ends the run; the command line reports it.
        if (!call.out)
            return true;
    }
    return true;
}
