#include "fileinput.h"

#include <cerrno>
#include <unistd.h>

CFileInput::CFileInput(int descriptor)
    : m_descriptor(descriptor)
{ }

int CFileInput::errorOf(const std::istream &stream)
{
    const auto *file = dynamic_cast<const CFileInput *>(stream.rdbuf());
    return file == nullptr ? 0 : file->error();
}

CFileInput::int_type CFileInput::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (m_error != 0)
        return traits_type::eof();
    for (;;) {
        const ssize_t got = read(m_descriptor, m_buffer.data(), m_buffer.size());
        // A signal may interrupt the read before it got anything.
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_error = errno;
        if (got <= 0)
            return traits_type::eof();
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + got);
        return traits_type::to_int_type(*gptr());
    }
}
