#ifndef CHECKERS_TOOLS_CLI_FILEOUTPUT_H
#define CHECKERS_TOOLS_CLI_FILEOUTPUT_H

#include <array>
#include <ostream>
#include <streambuf>

// A buffer that writes to a file descriptor and remembers why the first
// write failed, so that the tool can say it. After a failure every write
// fails at once and drops its bytes: output that lost a part is worthless,
// and the command should stop rather than go on producing it. A durable
// one has the system put what it wrote on the disk at each flush, so that
// what was flushed outlasts a power loss.
class CFileOutput : public std::streambuf
{
public:
    explicit CFileOutput(int descriptor, bool durable = false);
    ~CFileOutput() override;
    CFileOutput(const CFileOutput &) = delete;
    CFileOutput &operator=(const CFileOutput &) = delete;

    // The errno of the first failed write, or 0.
    int error() const { return m_error; }
    // The same for the buffer behind a stream, or 0 if it is no CFileOutput.
    static int errorOf(const std::ostream &stream);

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writeAll(const char *data, std::size_t size);
    bool keepOnDisk();

    const int m_descriptor;
    const bool m_durable;
    int m_error = 0;
    std::array<char, 8192> m_buffer {};
};

#endif
