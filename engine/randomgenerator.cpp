#include "randomgenerator.h"

#ifdef __x86_64__
#include <immintrin.h>
#endif

namespace {

// rand() % 7 uses the quotient by 7 as the high half of a product with this
// number shifted down 2 bits: exact for 31-bit numbers, with no correction.
constexpr std::uint32_t SevenReciprocal = 0x92492493u;

// rand() % 7 - 3 of a word, as the evaluation draws it.
std::int32_t termOf(std::uint32_t word)
{
    const std::uint32_t value = word >> 1;
    const auto quotient
        = static_cast<std::uint32_t>((std::uint64_t(value) * SevenReciprocal) >> 34);
    return static_cast<std::int32_t>(value - 7 * quotient) - 3;
}

#ifdef __x86_64__
// Eight at a time: the high halves of the products of the even and the odd
// lanes, blended. The compiler's own vectors widen every lane to 64 bits
// and take twice as long.
__attribute__((target("avx2"))) void makeTermsWithAvx2(const std::uint32_t *words,
                                                       std::int32_t *terms, int count)
{
    const __m256i reciprocal = _mm256_set1_epi32(static_cast<int>(SevenReciprocal));
    const __m256i three = _mm256_set1_epi32(3);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i value = _mm256_srli_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(words + i)), 1);
        const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(value, reciprocal), 32);
        const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(value, 32), reciprocal);
        const __m256i quotient = _mm256_srli_epi32(_mm256_blend_epi32(even, odd, 0xaa), 2);
        const __m256i sevenfold = _mm256_sub_epi32(_mm256_slli_epi32(quotient, 3), quotient);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(terms + i),
                            _mm256_sub_epi32(_mm256_sub_epi32(value, sevenfold), three));
    }
    for (; i < count; ++i)
        terms[i] = termOf(words[i]);
}
#endif

// The terms of count words, eight at a time where the processor has AVX2.
void makeTerms(const std::uint32_t *words, std::int32_t *terms, int count)
{
#ifdef __x86_64__
    // Asked here rather than through the loader's choice of versions: that
    // runs before the thread sanitizer has started, and crashes it.
    static const bool hasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    if (hasAvx2) {
        makeTermsWithAvx2(words, terms, count);
        return;
    }
#endif
    for (int i = 0; i < count; ++i)
        terms[i] = termOf(words[i]);
}

} // namespace

// glibc's srand(): the state filled by a Lehmer generator, then 310 draws
// thrown away so that the seed no longer shows. glibc keeps the state in a
// ring whose front, where the next word goes, starts Separation words in.
CRandomGenerator::CRandomGenerator(unsigned seed)
{
    std::uint32_t ring[Degree];
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    ring[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < Degree; ++i) {
        // 16807 * word % 2147483647 without overflowing 31 bits.
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        ring[i] = static_cast<std::uint32_t>(word);
    }
    for (int i = 0; i < Degree; ++i)
        m_words[Batch + i] = ring[(Separation + i) % Degree];
    for (int i = 0; i < 10 * Degree; ++i)
        next();
    m_batchDraws -= draws();
}

void CRandomGenerator::refill()
{
    for (int i = 0; i < Degree; ++i) {
        m_words[i] = m_words[Batch + i];
        m_terms[i] = m_terms[Batch + i];
    }
    // Three runs of sums that do not wait on one another, the last word of
    // each in a register: read back from memory, words stored a moment
    // before stall the processor.
    static_assert(Separation == 3 && Batch % 3 == 0, "three runs, in whole steps");
    std::uint32_t first = m_words[Degree - 3];
    std::uint32_t second = m_words[Degree - 2];
    std::uint32_t third = m_words[Degree - 1];
    for (int i = Degree; i < Degree + Batch; i += 3) {
        first += m_words[i - Degree];
        second += m_words[i + 1 - Degree];
        third += m_words[i + 2 - Degree];
        m_words[i] = first;
        m_words[i + 1] = second;
        m_words[i + 2] = third;
    }
    makeTerms(m_words + Degree, m_terms + Degree, Batch);
    m_next -= Batch;
    m_batchDraws += Batch;
}
