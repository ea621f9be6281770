#include "bytereader.h"

CByteReader::CByteReader(const std::uint8_t *data, std::size_t size)
    : m_data(data)
    , m_size(size)
{ }

std::uint8_t CByteReader::byte()
{
    if (m_size == 0)
        return 0;
    --m_size;
    return *m_data++;
}

int CByteReader::squareOrAny()
{
    constexpr std::uint8_t WideTag = 0xf0;
    constexpr int Span = 34;
    const std::uint8_t tag = byte();
    if (tag < WideTag)
        return tag % Span - 1;
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= std::uint32_t(byte()) << shift;
    return static_cast<int>(value);
}
