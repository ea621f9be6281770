#include "protocollog.h"

#include "tools/position/quotedtext.h"

#include <cerrno>
#include <cstring>

bool CProtocolLog::open(const std::string &path, std::string &error, Clock now)
{
    m_file.open(path, std::ios::out | std::ios::trunc);
    if (!m_file) {
        error = "cannot write the log " + CQuotedText::quote(path) + ": " + std::strerror(errno);
        return false;
    }
    m_now = std::move(now);
    m_start = m_now();
    return true;
}

// An engine's line may hold any byte: the log stays one line an entry.
void CProtocolLog::write(int job, const std::string &name, bool sent, const std::string &line)
{
    const auto since
        = std::chrono::duration_cast<std::chrono::milliseconds>(m_now() - m_start).count();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_file << since << ' ' << job << ' ' << name << (sent ? " > " : " < ")
           << CQuotedText::printable(line) << '\n'
           << std::flush;
}
