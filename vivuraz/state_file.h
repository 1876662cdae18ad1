#pragma once

// state.bin: two slots at fixed offsets, so that a change is stored with one write and one sync
// and a save cut short (a killed process, a full disk, a crash) leaves the state before it whole.
//
//   slot 0 spans bytes [0, kSlotSize), slot 1 [kSlotSize, 2 * kSlotSize). Each ends in its
//   record: the payload (the serialized state, controller_state.h), then the trailer in the
//   slot's last kTrailerSize bytes:
//     "vivuraz-sim state 2\n"   20 bytes
//     sequence number           uint64
//     payload length            uint64
//     checksum                  uint64: Checksum64 of the payload, seeded with the Checksum64
//                               of the three fields before it
//   All integers little-endian; the file is sparse where no record lies.
//
// A slot is valid when its magic matches, its length fits and its checksum holds; the newest
// valid slot is the state. A save writes the record, trailer last, into the other slot with the
// next sequence number, in one write, and syncs the file. The trailer comes last because a
// write stopped part-way leaves a prefix of the record: the slot keeps its old trailer, which
// no longer matches, or still matches an older sequence number. A header written first would
// make the slot pass as the new state wherever the bytes past the cut happened to equal the new
// ones, as most of the register space does from one change to the next.
//
// The files of "vivuraz-sim state 1" (one state, replaced by rename) have no valid slot, so they
// read as damaged; there was no release that wrote them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vivuraz/controller_state.h"

namespace vivuraz {

inline constexpr std::string_view kSlotMagic = "vivuraz-sim state 2\n";
inline constexpr std::size_t kTrailerSize = kSlotMagic.size() + 3 * sizeof(std::uint64_t);
inline constexpr std::size_t kPageSize = 4096;
// The largest record, rounded up to whole pages so that slot 1 starts on a page of its own.
inline constexpr std::size_t kSlotSize =
    (kMaxStateSize + kTrailerSize + kPageSize - 1) / kPageSize * kPageSize;
static_assert(kSlotSize >= kMaxStateSize + kTrailerSize);

enum class SlotRead { Read, Missing, Damaged, Failed };

class StateFile {
  public:
    explicit StateFile(std::filesystem::path file) : file(std::move(file)) {}

    // The payload of the newest valid slot. Missing when there is no file, Damaged when no slot
    // is valid, Failed with `error` set when it can't be read.
    SlotRead ReadNewest(std::vector<std::uint8_t>& payload, std::string& error);

    // Stores `payload` (at most kMaxStateSize bytes; kTrailerSize bytes of spare capacity save a
    // copy) as the newest state. False with `error` set when it can't, and the state before it
    // stays the newest.
    // `payload` becomes the whole record: the trailer is appended to it.
    bool Write(std::vector<std::uint8_t>& payload, std::string& error);

    const std::filesystem::path& Path() const { return file; }

  private:
    struct Newest {
        std::size_t slot;
        std::uint64_t sequence;
    };

    int OpenForWriting(bool& created) const;
    void Abandon(int fd, std::size_t slot, bool created) const;

    std::filesystem::path file;
    bool looked = false;           // ReadNewest has run
    std::optional<Newest> newest;  // nothing when no slot is valid
};

}  // namespace vivuraz
