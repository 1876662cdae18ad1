// The checksum of the state file's slots: the values of xxHash's XXH64, and every byte of the
// input counts, whichever part of the sum (the four lanes, or the tail of 8, 4 and 1 bytes)
// takes it.

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <set>
#include <string_view>
#include <vector>

#include "vivuraz/checksum.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Counting(std::size_t length) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST(Checksum64, GivesTheValuesOfXxh64) {
    const struct {
        Bytes bytes;
        std::uint64_t seed;
        std::uint64_t expected;
    } cases[] = {
        {{}, 0, 0xEF46DB3751D8E999},
        {{'a'}, 0, 0xD24EC4F1A98C6E5B},
        {{'a', 'b', 'c'}, 0, 0x44BC2CF5AD770999},
        {Counting(37), 12345, 0xC608F760078D40D2},
        {Counting(100), 0x9E3779B185EBCA87, 0x00278BDA0EE3F586},
        {Counting(256), 0, 0x1FACBE8406CD904B},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vivuraz::Checksum64(c.bytes, c.seed), c.expected)
            << c.bytes.size() << " bytes, seed " << c.seed;
    }
}

TEST(Checksum64, EveryByteAndTheSeedCount) {
    for (const std::size_t length : {1u, 3u, 4u, 7u, 8u, 13u, 31u, 32u, 33u, 64u, 77u}) {
        const Bytes bytes = Counting(length);
        std::set<std::uint64_t> seen = {vivuraz::Checksum64(bytes), vivuraz::Checksum64(bytes, 1)};
        for (std::size_t at = 0; at < length; ++at) {
            Bytes changed = bytes;
            changed[at] ^= 0x80;
            seen.insert(vivuraz::Checksum64(changed));
        }
        EXPECT_EQ(seen.size(), length + 2) << length << " bytes";
    }
}

}  // namespace
