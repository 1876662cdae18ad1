#include "vivuraz/checksum.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace vivuraz {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4F;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5;
constexpr std::size_t kStripe = 32;

// Little-endian, whatever the machine, so that a state file reads the same everywhere.
std::uint64_t Load(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, count);
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap64(value);  // the bytes not loaded were zero and stay above
    }
    return value;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t input) {
    return std::rotl(lane + input * kPrime2, 31) * kPrime1;
}

std::uint64_t Merge(std::uint64_t hash, std::uint64_t lane) {
    return (hash ^ Round(0, lane)) * kPrime1 + kPrime4;
}

// The four lanes over every whole stripe, folded into one value.
std::uint64_t Stripes(std::span<const std::uint8_t> bytes, std::uint64_t seed) {
    std::uint64_t lanes[4] = {seed + kPrime1 + kPrime2, seed + kPrime2, seed, seed - kPrime1};
    for (std::size_t at = 0; at + kStripe <= bytes.size(); at += kStripe) {
        const std::uint8_t* stripe = bytes.data() + at;
        lanes[0] = Round(lanes[0], Load(stripe, 8));
        lanes[1] = Round(lanes[1], Load(stripe + 8, 8));
        lanes[2] = Round(lanes[2], Load(stripe + 16, 8));
        lanes[3] = Round(lanes[3], Load(stripe + 24, 8));
    }
    std::uint64_t hash = std::rotl(lanes[0], 1) + std::rotl(lanes[1], 7) + std::rotl(lanes[2], 12) +
                         std::rotl(lanes[3], 18);
    for (const std::uint64_t lane : lanes) {
        hash = Merge(hash, lane);
    }
    return hash;
}

// The bytes after the last whole stripe: eight, then four, then one at a time.
std::uint64_t Tail(std::uint64_t hash, std::span<const std::uint8_t> rest) {
    const std::uint8_t* at = rest.data();
    std::size_t left = rest.size();
    for (; left >= 8; at += 8, left -= 8) {
        hash = std::rotl(hash ^ Round(0, Load(at, 8)), 27) * kPrime1 + kPrime4;
    }
    if (left >= 4) {
        hash = std::rotl(hash ^ (Load(at, 4) * kPrime1), 23) * kPrime2 + kPrime3;
        at += 4;
        left -= 4;
    }
    for (; left > 0; ++at, --left) {
        hash = std::rotl(hash ^ (*at * kPrime5), 11) * kPrime1;
    }
    return hash;
}

std::uint64_t Avalanche(std::uint64_t hash) {
    hash = (hash ^ (hash >> 33)) * kPrime2;
    hash = (hash ^ (hash >> 29)) * kPrime3;
    return hash ^ (hash >> 32);
}

}  // namespace

std::uint64_t Checksum64(std::span<const std::uint8_t> bytes, std::uint64_t seed) {
    std::uint64_t hash = bytes.size() >= kStripe ? Stripes(bytes, seed) : seed + kPrime5;
    hash += bytes.size();
    const std::size_t whole = bytes.size() - bytes.size() % kStripe;
    return Avalanche(Tail(hash, bytes.subspan(whole)));
}

}  // namespace vivuraz
