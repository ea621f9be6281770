#include "matchplan.h"

#include "ballotdeck.h"
#include "openingfile.h"
#include "tools/position/numbertext.h"
#include "tools/position/positiontext.h"
#include "tools/position/quotedtext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sched.h>
#include <thread>

namespace {

const std::string Prefix = "checkers-cli match";

// The blank-separated words; readEvent() takes only a tag that event()
// writes back the same.
std::vector<std::string> wordsOf(const std::string &text)
{
    std::vector<std::string> words(1);
    for (const char c : text) {
        if (c == ' ')
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

bool readRate(const std::string &name, const std::string &text, double &rate, std::string &error)
{
    if (CNumberText::parse(text, rate))
        return true;
    error = "--" + name + " must be a number, not " + CQuotedText::quote(text);
    return false;
}

} // namespace

const std::vector<CMatchPlan::Option> &CMatchPlan::options()
{
    static const std::vector<Option> table {
        { "games", "FROM-TO", 0, false, nullptr, &CMatchPlan::readRange },
        { "jobs", "N", 'j', false, nullptr, &CMatchPlan::readJobs },
        { "pdn", "", 0, false, nullptr, &CMatchPlan::readPdn },
        { "pdn-file", "FILE", 0, false, nullptr, &CMatchPlan::readPdnFile },
        { "report", "N", 0, false, nullptr, &CMatchPlan::readReport },
        { "ballot", "", 0, true, nullptr, &CMatchPlan::readBallot },
        { "openings", "FILE", 0, true, nullptr, &CMatchPlan::readOpenings },
        { "openings-order", "ORDER", 0, true, nullptr, &CMatchPlan::readOpeningsOrder },
        { "openings-start", "K", 0, true, nullptr, &CMatchPlan::readOpeningsStart },
        { "sprt", "ELO0,ELO1", 0, true, nullptr, &CMatchPlan::readElos },
        { "alpha", "A", 0, true, "sprt", &CMatchPlan::readAlpha },
        { "beta", "B", 0, true, "sprt", &CMatchPlan::readBeta },
        { "elo-model", "MODEL", 0, true, "sprt", &CMatchPlan::readModel },
        { "param", "NAME:KEY=VALUE", 0, true, nullptr, &CMatchPlan::readParams },
        { "timeout", "SECONDS", 0, false, nullptr, &CMatchPlan::readTimeout },
        { "tc", "BASE[+INC]", 0, true, nullptr, &CMatchPlan::readClock },
        { "movetime", "S", 0, true, nullptr, &CMatchPlan::readMoveTime },
        { "timemargin", "MS", 0, false, nullptr, &CMatchPlan::readMargin },
        { "log", "FILE", 0, false, nullptr, &CMatchPlan::readLog },
    };
    return table;
}

bool CMatchPlan::isRepeatable(const std::string &name)
{
    return name == "param";
}

bool CMatchPlan::read(const std::vector<std::string> &arguments,
                      const std::map<std::string, std::string> &options, std::string &error)
{
    *this = CMatchPlan();
    m_jobs = processors();
    return readAll(arguments, options, error);
}

// The arguments, then the options in the table's order, then what the
// options cannot tell alone. A clock lets a player search deeper.
bool CMatchPlan::readAll(const std::vector<std::string> &arguments,
                         const std::map<std::string, std::string> &given, std::string &error)
{
    const bool onClock = given.count("tc") > 0 || given.count("movetime") > 0;
    if (!readArguments(arguments, onClock ? CPlayerEntry::MaxClockDepth : CPlayerEntry::MaxDepth,
                       error))
        return false;
    for (const Option &option : options()) {
        if (!readOption(option, given, error))
            return false;
    }
    return check(error);
}

bool CMatchPlan::readArguments(const std::vector<std::string> &arguments, int maxDepth,
                               std::string &error)
{
    m_arguments = arguments;
    if (!m_a.read(arguments[0], "A", maxDepth, error)
        || !m_b.read(arguments[1], "B", maxDepth, error)
        || !CNumberText::read(arguments[2], "GAMES", 1, MaxGames, m_games, error))
        return false;
    m_last = m_games;
    if (CNumberText::parse(arguments[3], m_seed))
        return true;
    error = "SEED must be a whole number from 0 to 4294967295, not "
        + CQuotedText::quote(arguments[3]);
    return false;
}

bool CMatchPlan::readOption(const Option &option, const std::map<std::string, std::string> &given,
                            std::string &error)
{
    const auto value = given.find(option.name);
    if (value == given.end())
        return true;
    if (option.needs != nullptr && given.count(option.needs) == 0) {
        error
            = std::string("--") + option.name + " belongs to the test: it needs --" + option.needs;
        return false;
    }
    return (this->*option.read)(value->second, error);
}

// What one option cannot tell alone.
bool CMatchPlan::check(std::string &error) const
{
    if (m_sprt) {
        error = CSprt::fault(*m_sprt);
        if (error.empty() && m_games % 2 != 0)
            error = "with --sprt GAMES must be even and at least 2, whole pairs, not "
                + std::to_string(m_games);
        if (!error.empty())
            return false;
    }
    if (m_pdn && !m_pdnFile.empty()) {
        error = "--pdn and --pdn-file both say where the games go: give one";
        return false;
    }
    if (m_ballot && !m_openingsPath.empty()) {
        error = "--ballot and --openings both name the openings: give one";
        return false;
    }
    if (m_ordered && !m_ballot && m_openingsPath.empty()) {
        error = "--openings-order and --openings-start order the openings: they need --ballot or "
                "--openings";
        return false;
    }
    return true;
}

bool CMatchPlan::readRange(const std::string &value, std::string &error)
{
    m_shard = true;
    const std::string::size_type dash = value.find('-');
    if (dash != std::string::npos && CNumberText::parse(value.substr(0, dash), m_first)
        && CNumberText::parse(value.substr(dash + 1), m_last) && m_first >= 1 && m_first <= m_last
        && m_last <= m_games)
        return true;
    error = "--games must be FROM-TO, game numbers from 1 to " + std::to_string(m_games)
        + " with FROM not after TO, not '" + value + "'";
    return false;
}

bool CMatchPlan::readJobs(const std::string &value, std::string &error)
{
    return CNumberText::read(value, "--jobs", 1, MaxJobs, m_jobs, error);
}

bool CMatchPlan::readPdn(const std::string &, std::string &)
{
    m_pdn = true;
    return true;
}

bool CMatchPlan::readPdnFile(const std::string &value, std::string &error)
{
    m_pdnFile = value;
    if (!value.empty())
        return true;
    error = "--pdn-file names no file";
    return false;
}

bool CMatchPlan::readReport(const std::string &value, std::string &error)
{
    return CNumberText::read(value, "--report", 1, MaxGames, m_reportEvery, error);
}

bool CMatchPlan::readBallot(const std::string &, std::string &)
{
    m_ballot = true;
    return true;
}

bool CMatchPlan::readOpenings(const std::string &value, std::string &)
{
    m_openingsPath = value;
    m_openingsName = value.substr(value.find_last_of('/') + 1);
    return true;
}

bool CMatchPlan::readOpeningsOrder(const std::string &value, std::string &error)
{
    m_ordered = true;
    m_shuffled = value == "random";
    if (m_shuffled || value == "sequential")
        return true;
    error = "--openings-order must be sequential or random, not " + CQuotedText::quote(value);
    return false;
}

// Its upper bound is the number of openings, known once they are read.
bool CMatchPlan::readOpeningsStart(const std::string &value, std::string &error)
{
    m_ordered = true;
    return CNumberText::read(value, "--openings-start", 1, std::numeric_limits<int>::max(),
                             m_openingsStart, error);
}

bool CMatchPlan::readElos(const std::string &value, std::string &error)
{
    CSprt::Settings settings;
    const std::string::size_type comma = value.find(',');
    if (comma == std::string::npos || !CNumberText::parse(value.substr(0, comma), settings.elo0)
        || !CNumberText::parse(value.substr(comma + 1), settings.elo1)) {
        error = "--sprt must be ELO0,ELO1, two numbers, not " + CQuotedText::quote(value);
        return false;
    }
    m_sprt = settings;
    return true;
}

bool CMatchPlan::readAlpha(const std::string &value, std::string &error)
{
    return readRate("alpha", value, m_sprt->alpha, error);
}

bool CMatchPlan::readBeta(const std::string &value, std::string &error)
{
    return readRate("beta", value, m_sprt->beta, error);
}

bool CMatchPlan::readModel(const std::string &value, std::string &error)
{
    if (CSprt::parseModel(value, m_sprt->model))
        return true;
    error = "--elo-model must be normalized or logistic, not " + CQuotedText::quote(value);
    return false;
}

bool CMatchPlan::readTimeout(const std::string &value, std::string &error)
{
    double seconds;
    if (!CNumberText::parse(value, seconds) || seconds <= 0 || seconds > MaxTimeout) {
        error = "--timeout must be a number of seconds above 0 and up to "
            + std::to_string(MaxTimeout) + ", not " + CQuotedText::quote(value);
        return false;
    }
    // At least a millisecond, the finest wait there is.
    m_timeout = std::chrono::milliseconds(std::max(std::llround(seconds * 1000), 1LL));
    return true;
}

bool CMatchPlan::readClock(const std::string &value, std::string &error)
{
    return m_timeControl.emplace().readClock(value, error);
}

// Read after --tc, in the table's order.
bool CMatchPlan::readMoveTime(const std::string &value, std::string &error)
{
    if (m_timeControl) {
        error = "--tc and --movetime both set the time: give one";
        return false;
    }
    return m_timeControl.emplace().readMoveTime(value, error);
}

bool CMatchPlan::readMargin(const std::string &value, std::string &error)
{
    int milliseconds;
    if (!CNumberText::read(value, "--timemargin", 0, MaxTimeout * 1000, milliseconds, error))
        return false;
    m_margin = std::chrono::milliseconds(milliseconds);
    return true;
}

bool CMatchPlan::readLog(const std::string &value, std::string &)
{
    m_logPath = value;
    return true;
}

std::optional<CMatchClock> CMatchPlan::clock() const
{
    if (!m_timeControl)
        return std::nullopt;
    return CMatchClock(*m_timeControl, m_margin);
}

bool CMatchPlan::readParams(const std::string &value, std::string &error)
{
    for (const std::string &text : CPositionText::split(value, '\0')) {
        if (!readParam(text, error))
            return false;
    }
    return true;
}

// NAME may hold ':' and '=', as an engine's id may: KEY is what stands
// between the last ':' before the first '=' and that '='. VALUE stays one
// word of the Event and one value of the protocol.
bool CMatchPlan::readParam(const std::string &text, std::string &error)
{
    const std::string::size_type equals = text.find('=');
    const std::string::size_type colon
        = equals == std::string::npos ? std::string::npos : text.rfind(':', equals);
    if (colon != std::string::npos && colon > 0) {
        Param param { text.substr(0, colon), text.substr(colon + 1, equals - colon - 1),
                      text.substr(equals + 1) };
        const auto isWordCharacter = [](char c) { return c > ' ' && c < 0x7f && c != '"'; };
        if (CPlayerEntry::isName(param.key)
            && std::all_of(param.value.begin(), param.value.end(), isWordCharacter)) {
            m_params.push_back(std::move(param));
            return true;
        }
    }
    error = "--param must be NAME:KEY=VALUE, KEY letters, digits, '.', '_' and '-', VALUE "
            "printable ASCII without blanks or '\"', not "
        + CQuotedText::quote(CQuotedText::printable(text));
    return false;
}

std::string CMatchPlan::event() const
{
    return Prefix + ' ' + m_a.eventWord() + ' ' + m_b.eventWord() + ' ' + m_arguments[2] + ' '
        + m_arguments[3] + eventOptions();
}

bool CMatchPlan::checkNames(std::string &error) const
{
    if (m_a.label() != m_b.label() || m_a.isSameAs(m_b))
        return true;
    error = "A and B are two players named " + m_a.label()
        + ": name each, as NAME=DEPTH@COMMAND or NAME=DEPTH, NAME letters, digits, '.', '_' "
          "and '-'";
    return false;
}

std::string CMatchPlan::eventOptions() const
{
    std::string text;
    if (m_ballot)
        text += " --ballot";
    else if (!m_openingsName.empty())
        text += " --openings " + m_openingsName;
    text += orderOptions();
    if (m_sprt)
        text += " --sprt " + CNumberText::format(m_sprt->elo0) + ','
            + CNumberText::format(m_sprt->elo1) + " --alpha " + CNumberText::format(m_sprt->alpha)
            + " --beta " + CNumberText::format(m_sprt->beta) + " --elo-model "
            + CSprt::modelName(m_sprt->model);
    text += paramOptions();
    if (m_timeControl)
        text += ' ' + m_timeControl->option();
    return text;
}

std::string CMatchPlan::orderOptions() const
{
    return std::string(m_shuffled ? " --openings-order random" : "")
        + (m_openingsStart > 1 ? " --openings-start " + std::to_string(m_openingsStart) : "");
}

std::string CMatchPlan::paramOptions() const
{
    std::string text;
    for (const Param &param : m_params)
        text += " --param " + param.player + ':' + param.key + '=' + param.value;
    return text;
}

bool CMatchPlan::giveParams(std::string &error)
{
    for (const Param &param : m_params) {
        if (!giveParam(param.player, param.key, param.value, error))
            return false;
    }
    return true;
}

bool CMatchPlan::refuseParameter(const CPlayerEntry &engine, const std::string &key,
                                 std::string &error)
{
    std::string listed;
    for (const std::string &name : engine.listedParameters()) {
        listed += listed.empty() ? "" : ", ";
        listed += name;
    }
    error = "the engine " + engine.label() + " has no parameter " + CQuotedText::quote(key)
        + ": it lists " + listed;
    return false;
}

// Both players when they are one engine under one name.
bool CMatchPlan::giveParam(const std::string &player, const std::string &key,
                           const std::string &value, std::string &error)
{
    bool given = false;
    for (CPlayerEntry *engine : { &m_a, &m_b }) {
        if (!engine->isEngine() || engine->label() != player)
            continue;
        if (!engine->takesParameter(key))
            return refuseParameter(*engine, key, error);
        engine->addParameter(key, value);
        given = true;
    }
    if (!given)
        error = "--param names " + CQuotedText::quote(player)
            + ", which is no engine player of the match (A is " + m_a.label() + ", B is "
            + m_b.label() + ')';
    return given;
}

// The words after the arguments are options that the Event records, each
// with the words up to the next option as its value; whatever they hold,
// the tag must be the one event() writes for them, so that one match has
// one tag.
bool CMatchPlan::readEvent(const std::string &text)
{
    *this = CMatchPlan();
    const std::vector<std::string> words = wordsOf(text);
    if (words.size() < 6 || words[0] + ' ' + words[1] != Prefix)
        return false;
    const auto optionOf = [](const std::string &word) -> const Option * {
        for (const Option &option : options()) {
            if (option.inEvent && word == std::string("--") + option.name)
                return &option;
        }
        return nullptr;
    };
    std::map<std::string, std::string> given;
    std::string *value = nullptr;
    for (auto word = words.begin() + 6; word != words.end(); ++word) {
        if (const Option *option = optionOf(*word)) {
            value = &given[option->name];
            // An option given again, as the repeatable --param is.
            if (!value->empty())
                *value += '\0';
        } else if (value == nullptr) {
            return false;
        } else {
            *value += (value->empty() || value->back() == '\0' ? "" : " ") + *word;
        }
    }
    std::string error;
    return readAll({ words.begin() + 2, words.begin() + 6 }, given, error) && checkNames(error)
        && event() == text;
}

bool CMatchPlan::isPaired() const
{
    return m_ballot || !m_openingsName.empty() || m_sprt.has_value();
}

bool CMatchPlan::loadOpenings(std::vector<COpening> &openings, std::string &error) const
{
    std::vector<COpening> listed;
    if (!readOpeningsList(listed, error))
        return false;
    const int count = static_cast<int>(listed.size());
    if (count > 0 && m_openingsStart > count) {
        error = "--openings-start " + std::to_string(m_openingsStart) + " is past the last of the "
            + std::to_string(count) + " openings";
        return false;
    }
    openings.clear();
    for (const int place : openingOrder().places(count))
        openings.push_back(listed[static_cast<std::size_t>(place)]);
    return true;
}

bool CMatchPlan::readOpeningsList(std::vector<COpening> &openings, std::string &error) const
{
    if (m_ballot)
        openings = CBallotDeck::openings();
    return m_openingsPath.empty() || COpeningFile::read(m_openingsPath, openings, error);
}

bool CMatchPlan::useOpeningsFile(const std::string &path, std::string &error)
{
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (!m_openingsName.empty() && name == m_openingsName) {
        m_openingsPath = path;
        return true;
    }
    error = m_openingsName.empty()
        ? "--openings names a file, but the match played no openings file"
        : "--openings names " + CQuotedText::quote(name)
            + ", but the match played the openings file " + CQuotedText::quote(m_openingsName);
    return false;
}

COpeningOrder CMatchPlan::openingOrder() const
{
    return COpeningOrder(m_shuffled, m_seed, m_openingsStart);
}

// As nproc counts them: the processors this process may run on, which
// taskset or a container may have narrowed.
int CMatchPlan::processors()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::clamp(CPU_COUNT(&set), 1, MaxJobs);
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxJobs);
}
