#include "engineoutput.h"

CEngineOutput::CEngineOutput(std::ostream &out)
    : m_out(out)
{ }

void CEngineOutput::write(const CProtocolLine &line)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_out << line.text() << '\n' << std::flush;
}

bool CEngineOutput::failed() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return !m_out;
}
