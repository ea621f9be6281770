#include "openingscommand.h"

#include "tools/match/balancerule.h"
#include "tools/match/ballotdeck.h"
#include "tools/pdn/pdnwriter.h"

std::string COpeningsCommand::name() const
{
    return "openings";
}

std::vector<std::string> COpeningsCommand::parameters() const
{
    return {};
}

std::string COpeningsCommand::help() const
{
    return "prints in PDN the built-in deck of openings that match --ballot plays,\n"
           "in deck order, one game each: its moves, then '*'. The deck holds every\n"
           "sequence of the first "
        + std::to_string(CBallotDeck::Steps)
        + " move steps from the initial position (each step\n"
          "of a multi-jump counts) after which neither side wins material by force\n"
          "within "
        + std::to_string(CBalanceRule::Depth)
        + " more steps: a full-width search that goes on while a capture\n"
          "is under way or to be made, counting pieces at its ends.";
}

bool COpeningsCommand::run(const Call &call, std::string &) const
{
    const char *separator = "";
    for (const COpening &opening : CBallotDeck::openings()) {
        call.out << separator << CPdnWriter::moveText(opening.fen(), opening.steps(), "*");
        separator = "\n";
    }
    return true;
}
