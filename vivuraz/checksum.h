#pragma once

// The checksum that tells a whole slot of the state file from a torn one: xxHash's XXH64, which
// reads eight bytes a step in four independent lanes. A byte-wise hash such as FNV-1a would
// cost more than the read itself on the 80 KiB and more of a state that every library call
// checks.

#include <cstdint>
#include <span>

namespace vivuraz {

std::uint64_t Checksum64(std::span<const std::uint8_t> bytes, std::uint64_t seed = 0);

}  // namespace vivuraz
