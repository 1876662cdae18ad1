// The two slots of state.bin on disk: a save cut short or a slot spoiled falls back to the state
// before it, the next save goes into the spoiled slot and not over that state, and only when no
// slot holds a whole state is the file damaged.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/state_file.h"
#include "vivuraz/vivuraz.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using vivuraz::kSlotMagic;
using vivuraz::kSlotSize;
using vivuraz::kTrailerSize;

constexpr std::int32_t kRegister = 0x0100;
constexpr int kDamaged = -1;  // no change can be read: the state file is damaged

// Change `number` writes its number into one register, so that the register tells which change
// the stored state holds (0: none, the first-use state).
bool MakeChange(int number) {
    return VivuRAZLib_Q4870_AccessRegister(1, 1, kRegister, nullptr,
                                           static_cast<unsigned char>(number)) == kVivuRAZSuccess;
}

int StoredChange() {
    unsigned char value = 0xEE;
    const std::int32_t status = VivuRAZLib_Q4870_AccessRegister(1, 0, kRegister, &value, 1);
    if (status == kVivuRAZErrorStorage) {
        return kDamaged;
    }
    EXPECT_EQ(status, kVivuRAZSuccess);
    return value;
}

std::streamoff SlotEnd(std::size_t slot) {
    return static_cast<std::streamoff>((slot + 1) * kSlotSize);
}

void OverwriteBytes(const fs::path& file, std::streamoff at, const std::string& bytes) {
    std::fstream io(file, std::ios::in | std::ios::out | std::ios::binary);
    io.seekp(at);
    io.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(io.good()) << file << " at " << at;
}

// Inverts one byte of the record at `back` bytes before the slot's end.
void FlipByte(const fs::path& file, std::size_t slot, std::streamoff back) {
    std::fstream io(file, std::ios::in | std::ios::out | std::ios::binary);
    io.seekg(SlotEnd(slot) - back);
    const int byte = io.get();
    io.seekp(SlotEnd(slot) - back);
    io.put(static_cast<char>(~byte));
    ASSERT_TRUE(io.good()) << file << " slot " << slot;
}

void FlipLastPayloadByte(const fs::path& file, std::size_t slot) {
    FlipByte(file, slot, static_cast<std::streamoff>(kTrailerSize) + 1);
}

// Makes change `number` in a child whose files can't grow past `limit`. With `killed` the
// limit's signal ends the child, as a crash would in the middle of the save; else the save
// fails and the call says so.
void ChangeUnderSizeLimit(int number, std::streamoff limit, bool killed) {
    const pid_t child = simtest::StartChild([=] {
        std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        const rlimit size{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        setrlimit(RLIMIT_FSIZE, &size);
        return VivuRAZLib_Q4870_AccessRegister(1, 1, kRegister, nullptr,
                                               static_cast<unsigned char>(number)) ==
               kVivuRAZErrorStorage;
    });
    EXPECT_EQ(simtest::WaitForChild(child), killed ? 128 + SIGXFSZ : 0);
}

class VivuRAZStateSlotsTest : public simtest::SimTest {
  protected:
    VivuRAZStateSlotsTest() { VivuRAZLib_Load(); }

    fs::path StateFile() const { return folder / "state.bin"; }
};

// The slot spoiled: the one holding the newest change, or the other one, where the next save
// goes. Changes alternate between the slots, the first going into slot 0.
enum class Spoiled { Newest, Other };

std::size_t SlotOf(Spoiled spoiled, int changes) {
    const auto other = static_cast<std::size_t>(changes % 2);
    return spoiled == Spoiled::Other ? other : 1 - other;
}

TEST_F(VivuRAZStateSlotsTest, ASpoiledSlotFallsBackToTheStateBefore) {
    const fs::path file = StateFile();
    const struct {
        std::string name;
        int changes;  // made before the slot is spoiled
        Spoiled spoiled;
        std::function<void(std::size_t slot, int changes)> spoil;
        int expected;  // the change the state then holds, or kDamaged
    } cases[] = {
        {"newest slot's last payload byte flipped, slot 0", 3, Spoiled::Newest,
         [&](std::size_t slot, int) { FlipLastPayloadByte(file, slot); }, 2},
        {"newest slot's register bytes flipped, slot 1", 4, Spoiled::Newest,
         [&](std::size_t slot, int) { FlipByte(file, slot, kTrailerSize + 30000); }, 3},
        {"newest slot's sequence and length at their largest", 3, Spoiled::Newest,
         [&](std::size_t slot, int) {
             const std::streamoff fields = SlotEnd(slot) - kTrailerSize + kSlotMagic.size();
             OverwriteBytes(file, fields, std::string(kTrailerSize - kSlotMagic.size(), '\xFF'));
         },
         2},
        {"file cut inside the newest slot's trailer", 4, Spoiled::Newest,
         [&](std::size_t slot, int) { fs::resize_file(file, SlotEnd(slot) - 10); }, 3},
        {"other slot's payload flipped", 4, Spoiled::Other,
         [&](std::size_t slot, int) { FlipLastPayloadByte(file, slot); }, 4},
        {"save killed in the middle of the payload", 3, Spoiled::Other,
         [](std::size_t slot, int changes) {
             ChangeUnderSizeLimit(changes + 1, SlotEnd(slot) - kTrailerSize - 1000, true);
         },
         3},
        {"save killed just before its checksum", 2, Spoiled::Other,
         [](std::size_t slot, int changes) {
             ChangeUnderSizeLimit(changes + 1, SlotEnd(slot) - 8, true);
         },
         2},
        {"save failing one byte short of its end", 2, Spoiled::Other,
         [](std::size_t slot, int changes) {
             ChangeUnderSizeLimit(changes + 1, SlotEnd(slot) - 1, false);
         },
         2},
        {"first save failing", 0, Spoiled::Other,
         [](std::size_t, int) { ChangeUnderSizeLimit(1, 4096, false); }, 0},
        {"the only slot spoiled", 1, Spoiled::Newest,
         [&](std::size_t slot, int) { FlipLastPayloadByte(file, slot); }, kDamaged},
        {"both slots spoiled", 4, Spoiled::Newest,
         [&](std::size_t, int) {
             FlipLastPayloadByte(file, 0);
             FlipLastPayloadByte(file, 1);
         },
         kDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        for (int number = 1; number <= c.changes; ++number) {
            ASSERT_TRUE(MakeChange(number));
        }
        ASSERT_EQ(StoredChange(), c.changes);
        const std::size_t slot = SlotOf(c.spoiled, c.changes);
        c.spoil(slot, c.changes);
        EXPECT_EQ(StoredChange(), c.expected);
        if (c.expected == kDamaged) {
            const simtest::CliResult show = simtest::RunCli("show");
            EXPECT_EQ(show.exitCode, 1);
            EXPECT_THAT(show.err, HasSubstr("state.bin is damaged (vivuraz-sim reset"));
            continue;
        }
        if (c.expected == 0) {
            EXPECT_FALSE(fs::exists(file));  // a first use again, not a damaged file
            continue;
        }
        // The next save goes into the spoiled slot, so the state fallen back to is still there.
        ASSERT_TRUE(MakeChange(50));
        EXPECT_EQ(StoredChange(), 50);
        FlipLastPayloadByte(file, slot);
        EXPECT_EQ(StoredChange(), c.expected);
    }
}

}  // namespace
