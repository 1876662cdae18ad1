#include "vivuraz/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <span>

#include "vivuraz/checksum.h"
#include "vivuraz/file_io.h"

namespace vivuraz {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The trailer's fields after the magic, as offsets into it.
constexpr std::size_t kSequenceAt = kSlotMagic.size();
constexpr std::size_t kLengthAt = kSequenceAt + 8;
constexpr std::size_t kChecksumAt = kLengthAt + 8;
constexpr std::size_t kSlotPayloadCapacity = kSlotSize - kTrailerSize;
constexpr std::array<std::size_t, 2> kZeroFirst = {0, 1};
constexpr std::array<std::size_t, 2> kOneFirst = {1, 0};

off_t SlotEnd(std::size_t slot) {
    return static_cast<off_t>((slot + 1) * kSlotSize);
}

void PutUint64(std::vector<std::uint8_t>& out, std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint64_t GetUint64(Bytes bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return value;
}

// `fields` are the trailer's magic, sequence number and length.
std::uint64_t RecordChecksum(Bytes payload, Bytes fields) {
    return Checksum64(payload, Checksum64(fields));
}

struct Trailer {
    std::array<std::uint8_t, kTrailerSize> bytes{};

    std::uint64_t Sequence() const { return GetUint64(Bytes(bytes).subspan(kSequenceAt)); }
    std::uint64_t Length() const { return GetUint64(Bytes(bytes).subspan(kLengthAt)); }
    std::uint64_t Checksum() const { return GetUint64(Bytes(bytes).subspan(kChecksumAt)); }
    Bytes Fields() const { return Bytes(bytes).first(kChecksumAt); }
};

// The slot's trailer when its magic matches and its length fits; nothing when it doesn't,
// including a file that ends before it. False when the file can't be read.
bool ReadTrailer(int fd, std::size_t slot, std::optional<Trailer>& trailer) {
    Trailer read;
    const ssize_t got = ReadAt(fd, read.bytes, SlotEnd(slot) - static_cast<off_t>(kTrailerSize));
    if (got < 0) {
        return false;
    }
    const bool whole = static_cast<std::size_t>(got) == kTrailerSize &&
                       std::equal(kSlotMagic.begin(), kSlotMagic.end(), read.bytes.begin()) &&
                       read.Length() <= kSlotPayloadCapacity;
    trailer = whole ? std::optional(read) : std::nullopt;
    return true;
}

enum class PayloadRead { Valid, Invalid, Failed };

// The payload the trailer describes, read with one call of exactly its length.
PayloadRead ReadPayload(int fd, std::size_t slot, const Trailer& trailer,
                        std::vector<std::uint8_t>& payload) {
    payload.resize(trailer.Length());
    const off_t at = SlotEnd(slot) - static_cast<off_t>(kTrailerSize + payload.size());
    const ssize_t got = ReadAt(fd, payload, at);
    if (got < 0) {
        return PayloadRead::Failed;
    }
    const bool whole = static_cast<std::size_t>(got) == payload.size() &&
                       RecordChecksum(payload, trailer.Fields()) == trailer.Checksum();
    return whole ? PayloadRead::Valid : PayloadRead::Invalid;
}

// Turns the payload into its whole record: the trailer goes after it.
void AppendTrailer(std::vector<std::uint8_t>& record, std::uint64_t sequence) {
    const std::size_t length = record.size();
    record.insert(record.end(), kSlotMagic.begin(), kSlotMagic.end());
    PutUint64(record, sequence);
    PutUint64(record, length);
    const Bytes whole(record);
    PutUint64(record, RecordChecksum(whole.first(length), whole.subspan(length)));
}

}  // namespace

SlotRead StateFile::ReadNewest(std::vector<std::uint8_t>& payload, std::string& error) {
    Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0 && errno != ENOENT) {
        error = Failure("open", file);
        return SlotRead::Failed;
    }
    looked = true;
    newest.reset();
    if (in.Get() < 0) {
        return SlotRead::Missing;
    }
    std::array<std::optional<Trailer>, 2> trailers;
    for (std::size_t slot = 0; slot < trailers.size(); ++slot) {
        if (!ReadTrailer(in.Get(), slot, trailers[slot])) {
            error = Failure("read", file);
            return SlotRead::Failed;
        }
    }
    const bool oneFirst =
        trailers[1] && (!trailers[0] || trailers[1]->Sequence() > trailers[0]->Sequence());
    for (const std::size_t slot : oneFirst ? kOneFirst : kZeroFirst) {
        if (!trailers[slot]) {
            continue;
        }
        switch (ReadPayload(in.Get(), slot, *trailers[slot], payload)) {
            case PayloadRead::Valid:
                newest = Newest{slot, trailers[slot]->Sequence()};
                return SlotRead::Read;
            case PayloadRead::Failed:
                error = Failure("read", file);
                return SlotRead::Failed;
            case PayloadRead::Invalid:
                break;
        }
    }
    payload.clear();
    return SlotRead::Damaged;
}

bool StateFile::Write(std::vector<std::uint8_t>& payload, std::string& error) {
    if (!looked) {
        // A reset writes without reading first; a damaged file has no newest slot to keep.
        std::vector<std::uint8_t> ignored;
        if (ReadNewest(ignored, error) == SlotRead::Failed) {
            return false;
        }
    }
    if (payload.size() > kSlotPayloadCapacity) {
        error = "cannot write " + file.string() + ": the state is larger than a slot";
        return false;
    }
    const std::size_t slot = newest ? 1 - newest->slot : 0;
    const std::uint64_t sequence = newest ? newest->sequence + 1 : 1;
    std::vector<std::uint8_t>& record = payload;
    AppendTrailer(record, sequence);

    bool created = false;
    Descriptor out(OpenForWriting(created));
    if (out.Get() < 0) {
        error = Failure("open", file);
        return false;
    }
    const off_t at = SlotEnd(slot) - static_cast<off_t>(record.size());
    if (!WriteAllAt(out.Get(), record, at) || ::fdatasync(out.Get()) != 0) {
        error = Failure("write", file);
        Abandon(out.Get(), slot, created);
        return false;
    }
    if (created) {
        SyncFolder(file.parent_path());  // the new name lasts only once the folder is synced
    }
    newest = Newest{slot, sequence};
    return true;
}

// The file, made when missing; `created` says it was made now.
int StateFile::OpenForWriting(bool& created) const {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT) {
        return fd;
    }
    created = true;
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}

// After a failed save: a file made for it goes again, so the folder is back at first use;
// otherwise the slot's trailer is cleared, so that a record written whole but not synced, or
// cut inside its checksum where the old bytes agree, isn't taken for the newest state.
void StateFile::Abandon(int fd, std::size_t slot, bool created) const {
    if (created) {
        ::unlink(file.c_str());
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size >= SlotEnd(slot)) {
        const std::array<std::uint8_t, kTrailerSize> cleared{};
        WriteAllAt(fd, cleared, SlotEnd(slot) - static_cast<off_t>(kTrailerSize));
    }
}

}  // namespace vivuraz
