#include "matchfile.h"

#include "rules/gamestate.h"
#include "tools/pdn/pdnreader.h"
#include "tools/pdn/pdnwriter.h"
#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

CMatchFile::CMatchFile(const CMatchPlan &plan)
    : m_plan(plan)
    , m_next(plan.first())
{ }

CMatchFile::~CMatchFile()
{
    if (m_descriptor != -1)
        close(m_descriptor);
}

// A game is whole once the line break after its result token is written:
// the reader stops right after the token.
CMatchFile::Outcome CMatchFile::read(std::string &error)
{
    std::error_code ignored;
    errno = std::filesystem::is_directory(m_plan.pdnFile(), ignored) ? EISDIR : 0;
    std::ifstream file;
    if (errno == 0)
        file.open(m_plan.pdnFile(), std::ios::binary);
    if (!file.is_open() && errno == ENOENT)
        return Outcome::Read;
    CPdnReader reader(file);
    CPdnReader::Outcome outcome = CPdnReader::NoMoreGames;
    while (file.is_open() && (outcome = reader.readGame()) == CPdnReader::GameRead) {
        if (const std::string reason = mismatch(reader); !reason.empty())
            return refuse(reason, error);
        if (file.peek() != '\n')
            break;
        m_end = file.tellg() + std::streamoff(1);
        std::string reason;
        if (!m_tally.add(reader, reason))
            return refuse(reason, error);
        ++m_next;
    }
    if (!file.is_open() || file.bad()) {
        error = "cannot read " + name() + ": " + std::strerror(errno);
        return Outcome::Failed;
    }
    if (outcome != CPdnReader::NoMoreGames && reader.readGame() != CPdnReader::NoMoreGames)
        return refuse("its game " + std::to_string(m_next - m_plan.first() + 1)
                          + " is not whole, yet more follows it",
                      error);
    const int whole = m_next - m_plan.first();
    return isCutShort()
        ? Outcome::Read
        : refuse("it holds what is no game of this match"
                     + (whole > 0 ? " after its game " + std::to_string(whole) : std::string()),
                 error);
}

// Why the game read is not the one due: not of this match, or not the
// Round that follows.
std::string CMatchFile::mismatch(const CPdnReader &reader) const
{
    const std::string game = "its game " + std::to_string(m_next - m_plan.first() + 1);
    if (reader.tagValue("Event") != m_plan.event())
        return "it holds another match's games: the Event tag of " + game + " is not this match's";
    if (m_next > m_plan.last())
        return game + " is past the last game of this run, Round " + std::to_string(m_plan.last());
    int round = 0;
    if (!CNumberText::parse(reader.tagValue("Round"), round) || round != m_next)
        return game + " has Round " + CQuotedText::quote(reader.tagValue("Round")) + " where Round "
            + std::to_string(m_next)
            + " was due: the Rounds follow on from the run's first, without a gap or a repeat";
    return "";
}

// What follows the last whole game: nothing, or the start of this match's
// next game, up to its Event tag at least, after the blank line that
// stands between two games.
bool CMatchFile::isCutShort() const
{
    const CPdnWriter::Tags tags { m_plan.event(), "?", "", m_next, "", "", "", "" };
    const std::string game = CPdnWriter::write(tags, {}, CGameState::Draw);
    const std::string event = game.substr(0, game.find('\n') + 1);
    std::ifstream file(m_plan.pdnFile(), std::ios::binary);
    file.seekg(m_end);
    std::string rest(event.size() + 1, '\0');
    file.read(rest.data(), static_cast<std::streamsize>(rest.size()));
    rest.resize(static_cast<std::size_t>(file.gcount()));
    rest.erase(0, std::min(rest.find_first_not_of('\n'), rest.size()));
    rest.resize(std::min(rest.size(), event.size()));
    return event.compare(0, rest.size(), rest) == 0;
}

bool CMatchFile::openToAppend(std::string &error)
{
    m_descriptor = open(m_plan.pdnFile().c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (m_descriptor != -1 && ftruncate(m_descriptor, m_end) == 0
        && lseek(m_descriptor, m_end, SEEK_SET) != -1)
        return true;
    error = "cannot write " + name() + ": " + std::strerror(errno);
    return false;
}

CMatchFigures CMatchFile::figures() const
{
    return m_next > m_plan.first() ? m_tally.figures()
                                   : CMatchFigures(m_plan.isPaired(), m_plan.sprt());
}

CMatchFaults CMatchFile::faults() const
{
    return m_tally.faults();
}

std::string CMatchFile::name() const
{
    return "the PDN file " + CQuotedText::quote(m_plan.pdnFile());
}

CMatchFile::Outcome CMatchFile::refuse(const std::string &reason, std::string &error) const
{
    error = name() + ": " + reason;
    return Outcome::Refused;
}
