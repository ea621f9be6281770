#include "playerentry.h"

#include "tools/position/numbertext.h"
#include "tools/position/quotedtext.h"

#include <QProcess>
#include <algorithm>

namespace {

const std::pair<const char *, int> Skills[] = { { "poor", 1 }, { "medium", 3 }, { "good", 5 } };

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
        || c == '_' || c == '-';
}

} // namespace

bool CPlayerEntry::read(const std::string &text, const std::string &what, int maxDepth,
                        std::string &error)
{
    *this = CPlayerEntry();
    if (!readName(text, what, error))
        return false;
    m_text = text.substr(m_name.empty() ? 0 : m_name.size() + 1);
    const std::string::size_type at = m_text.find('@');
    if (at == std::string::npos)
        return readDepth(m_text, what, maxDepth, error);
    m_command = m_text.substr(at + 1);
    if (!readDepth(m_text.substr(0, at), what, maxDepth, error))
        return false;
    for (const QString &word : QProcess::splitCommand(QString::fromStdString(m_command)))
        m_words.push_back(word.toStdString());
    if (m_words.empty()) {
        error = what + " names no engine command after its depth: " + CQuotedText::quote(text);
        return false;
    }
    m_id = m_command;
    return true;
}

// A name stands before '=', ahead of the depth: a command may hold '='.
bool CPlayerEntry::readName(const std::string &text, const std::string &what, std::string &error)
{
    const std::string::size_type equals = text.substr(0, text.find('@')).find('=');
    if (equals == std::string::npos)
        return true;
    m_name = text.substr(0, equals);
    if (isName(m_name))
        return true;
    error = what + "'s name must be letters, digits, '.', '_' and '-', not "
        + CQuotedText::quote(CQuotedText::printable(m_name));
    return false;
}

bool CPlayerEntry::readDepth(const std::string &text, const std::string &what, int maxDepth,
                             std::string &error)
{
    for (const auto &[skill, depth] : Skills) {
        if (text == skill && m_command.empty()) {
            m_depth = depth;
            return true;
        }
    }
    if (CNumberText::parse(text, m_depth) && m_depth >= 1 && m_depth <= maxDepth)
        return true;
    error = what + " must be poor, medium, good, a depth from 1 to " + std::to_string(maxDepth)
        + " or DEPTH@COMMAND, not " + CQuotedText::quote(m_text);
    return false;
}

void CPlayerEntry::identify(const std::string &id, const std::string &version)
{
    m_id = id.empty() ? m_command : id;
    m_version = version;
}

bool CPlayerEntry::isSameAs(const CPlayerEntry &other) const
{
    return m_name == other.m_name && m_depth == other.m_depth && m_words == other.m_words;
}

bool CPlayerEntry::isName(const std::string &text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), isNameCharacter);
}

void CPlayerEntry::listParameters(std::vector<std::string> keys)
{
    m_listed = std::move(keys);
}

bool CPlayerEntry::takesParameter(const std::string &key) const
{
    return m_listed.empty() || std::find(m_listed.begin(), m_listed.end(), key) != m_listed.end();
}

void CPlayerEntry::addParameter(const std::string &key, const std::string &value)
{
    m_parameters.emplace_back(key, value);
}

std::string CPlayerEntry::label() const
{
    if (!m_name.empty())
        return m_name;
    return isEngine() ? engineLabel() : m_text;
}

std::string CPlayerEntry::tag() const
{
    if (!m_name.empty())
        return m_name;
    const std::string depthText = "depth " + std::to_string(m_depth);
    if (isEngine())
        return m_id + " (" + (m_version.empty() ? "" : "version " + m_version + ", ") + depthText
            + ')';
    return m_text == std::to_string(m_depth) ? depthText : m_text + " (" + depthText + ')';
}

std::string CPlayerEntry::eventWord() const
{
    return (m_name.empty() ? "" : m_name + '=') + (isEngine() ? engineLabel() : m_text);
}

std::string CPlayerEntry::engineLabel() const
{
    std::string label = std::to_string(m_depth) + '@' + m_id;
    std::replace(label.begin(), label.end(), ' ', '_');
    std::replace(label.begin(), label.end(), '\t', '_');
    return label;
}
