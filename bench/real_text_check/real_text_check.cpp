// Every REAL's text against the text std::to_chars gave it: the bit
// patterns from FIRST to LAST (inclusive, hexadecimal or decimal), the
// non-finite ones skipped. Prints the number of values compared, the
// number of mismatches and the first few of them; exit status 1 on any
// mismatch. bench/real_text_exhaustive.sh splits the whole range over the
// machine's cores.
//
//   real_text_check FIRST LAST

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/real_text_check/to_chars_text.hpp"
#include "textio/real_text.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: real_text_check FIRST LAST\n", stderr);
        return 2;
    }
    const std::uint64_t first = std::strtoull(argv[1], nullptr, 0);
    const std::uint64_t last = std::strtoull(argv[2], nullptr, 0);
    if (first > last || last > 0xffff'ffffu) {
        std::fputs("real_text_check: FIRST <= LAST <= 0xffffffff\n", stderr);
        return 2;
    }
    std::uint64_t compared = 0, mismatches = 0;
    for (std::uint64_t b = first; b <= last; ++b) {
        const auto bits = static_cast<std::uint32_t>(b);
        if ((bits & 0x7f80'0000u) == 0x7f80'0000u) continue;
        const float value = std::bit_cast<float>(bits);
        const textio::RealText text = textio::real_text(value);
        const std::string expected = bench::to_chars_real_text(value);
        ++compared;
        if (text.view() == std::string_view(expected)) continue;
        if (mismatches++ < 10)
            std::printf("mismatch 0x%08" PRIx32 ": \"%.*s\", std::to_chars gives \"%s\"\n", bits,
                        static_cast<int>(text.size), text.chars, expected.c_str());
    }
    std::printf("0x%08" PRIx64 "..0x%08" PRIx64 ": %" PRIu64 " values, %" PRIu64 " mismatches\n", first,
                last, compared, mismatches);
    return mismatches == 0 ? 0 : 1;
}
