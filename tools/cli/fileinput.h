#ifndef CHECKERS_TOOLS_CLI_FILEINPUT_H
#define CHECKERS_TOOLS_CLI_FILEINPUT_H

#include <array>
#include <istream>
#include <streambuf>

// A buffer that reads from a file descriptor and remembers why a read
// failed, so that a failure is told from the end of the input: a stream
// sees both as its end. After a failure it reads no more.
class CFileInput : public std::streambuf
{
public:
    explicit CFileInput(int descriptor);
    CFileInput(const CFileInput &) = delete;
    CFileInput &operator=(const CFileInput &) = delete;

    // The errno of the failed read, or 0.
    int error() const { return m_error; }
    // The same for the buffer behind a stream, or 0 if it is no CFileInput.
    static int errorOf(const std::istream &stream);

protected:
    int_type underflow() override;

private:
    const int m_descriptor;
    int m_error = 0;
    std::array<char, 8192> m_buffer {};
};

#endif
