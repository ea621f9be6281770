#include "fileoutput.h"

#include <cerrno>
#include <unistd.h>

CFileOutput::CFileOutput(int descriptor, bool durable)
    : m_descriptor(descriptor)
    , m_durable(durable)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CFileOutput::~CFileOutput()
{
    sync();
}

int CFileOutput::errorOf(const std::ostream &stream)
{
    const auto *file = dynamic_cast<const CFileOutput *>(stream.rdbuf());
    return file == nullptr ? 0 : file->error();
}

CFileOutput::int_type CFileOutput::overflow(int_type c)
{
    if (sync() != 0)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CFileOutput::sync()
{
    const bool written = m_error == 0 && writeAll(pbase(), pptr() - pbase())
        && (!m_durable || pptr() == pbase() || keepOnDisk());
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return written ? 0 : -1;
}

bool CFileOutput::keepOnDisk()
{
    if (fsync(m_descriptor) == 0)
        return true;
    m_error = errno;
    return false;
}

// A signal may cut a write short or interrupt it before it wrote anything.
bool CFileOutput::writeAll(const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(m_descriptor, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            m_error = errno;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
