// "Show FW Version" against the real device library: the box for each outcome and the calls of
// each press, the library unloaded every time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "device/firmware_version.h"
#include "tests/support/scripted_prompts.h"
#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testsupport::AppErrorBox;
using testsupport::ErrorBox;
using testsupport::ExclamationBox;
using testsupport::ShownBox;

using simtest::kLoad;
using simtest::kUnload;

std::string VersionRead(int result) {
    return "VivuRAZLib_Q4870_AccessRegister device=1 direction=0 address=0x07F0 length=6 -> " +
           std::to_string(result);
}

class FirmwareVersionTest : public simtest::SimTest {
  protected:
    FirmwareVersionTest() { VivuRAZSim_SetJournal(1); }
    testsupport::ScriptedPrompts prompts;
};

struct VersionCase {
    std::string name;
    std::function<void()> arrange;
    ShownBox box;
    std::vector<std::string> journal;
};

TEST_F(FirmwareVersionTest, OneBoxPerOutcomeAndAlwaysUnloaded) {
    const unsigned char version[] = {0x01, 0xAB, 0x00, 0xFF, 0x10, 0x7F};
    const std::string& open = simtest::kOpen;
    const std::vector<VersionCase> cases = {
        {"version shown in lower case",
         [&] { VivuRAZSim_SetVersion(1, version); },
         ExclamationBox("01 ab 00 ff 10 7f"),
         {kLoad, open, VersionRead(0), kUnload}},
        {"read filling nothing",
         [] { VivuRAZSim_SetEmptyReads(1); },
         ExclamationBox("00 00 00 00 00 00"),
         {kLoad, open, VersionRead(0), kUnload}},
        {"failed read, code shown signed",
         [] { VivuRAZSim_SetFault(kVivuRAZSimRegister, -1, 1); },
         AppErrorBox("Access Device is Failed ! (-1)"),
         {kLoad, open, VersionRead(-1), kUnload}},
        {"no device attached",
         [] { VivuRAZSim_Attach(0); },
         ErrorBox("OpenDev Fail"),
         {kLoad, "VivuRAZLib_OpenDev count=0 device=0 -> 0", kUnload}},
        {"open failing with a device",
         [] { VivuRAZSim_SetFault(kVivuRAZSimOpen, 3, 1); },
         ErrorBox("OpenDev Fail"),
         {kLoad, "VivuRAZLib_OpenDev count=1 device=1 -> 3", kUnload}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VivuRAZSim_Reset();
        VivuRAZSim_SetJournal(1);
        c.arrange();
        prompts.Clear();
        device::OnShowFwVersion(prompts);
        EXPECT_THAT(prompts.boxes, ElementsAre(c.box));
        EXPECT_THAT(simtest::JournalLines(), ElementsAreArray(c.journal));
    }
}

TEST_F(FirmwareVersionTest, TwoPressesMakeTwoFullSequences) {
    device::OnShowFwVersion(prompts);
    device::OnShowFwVersion(prompts);
    const std::string& open = simtest::kOpen;
    EXPECT_THAT(simtest::JournalLines(), ElementsAre(kLoad, open, VersionRead(0), kUnload, kLoad,
                                                     open, VersionRead(0), kUnload));
    EXPECT_THAT(prompts.Texts(), ElementsAre("01 75 00 0a b2 ff", "01 75 00 0a b2 ff"));
}

// An exception from the box (the window functions report exhausted memory that way) leaves
// the handler silently, after the library was unloaded.
class ThrowingPrompts : public testsupport::ScriptedPrompts {
  public:
    void DialogBox(std::string_view, std::string_view, platform::BoxType) override {
        throw std::bad_alloc();
    }
};

TEST_F(FirmwareVersionTest, AnExceptionIsDroppedAfterUnloading) {
    ThrowingPrompts throwing;
    EXPECT_NO_THROW(device::OnShowFwVersion(throwing));
    EXPECT_EQ(simtest::JournalLines().back(), kUnload);
}

}  // namespace
