#ifndef CHECKERS_TESTS_FUZZ_BYTEREADER_H
#define CHECKERS_TESTS_FUZZ_BYTEREADER_H

#include <cstddef>
#include <cstdint>

// Reads a fuzzer's input front to back. Past the end it reads zeros, so
// every input decodes to something.
class CByteReader
{
public:
    CByteReader(const std::uint8_t *data, std::size_t size);

    bool atEnd() const { return m_size == 0; }
    std::uint8_t byte();
    // Mostly a square number or one beyond the board (-1 to 32); a tag
    // byte from 0xf0 up brings a whole 32-bit value, little-endian.
    int squareOrAny();

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

#endif
