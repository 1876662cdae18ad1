// The three download procedures end to end: the boxes in order, the calls made (journal), what
// the simulated EEPROMs hold afterwards, the working files left behind and the flags reset.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "config/form_commit.h"
#include "tests/device/download_test_fixture.h"
#include "vivuraz/vivuraz_sim.h"

namespace downloadtest {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testsupport::AppErrorBox;
using testsupport::ErrorBox;
using testsupport::InformationBox;
using testsupport::ShownBox;

using simtest::kLoad;
using simtest::kOpen;
using simtest::kUnload;

std::string ConfigWrite(int result) {
    return "VivuRAZLib_Q4870_AccessConfigEEPROM device=1 direction=1 length=128 -> " +
           std::to_string(result);
}

std::string FirmwareWrite(std::size_t length, int result) {
    return "VivuRAZLib_Q4870_AccessFirmwareEEPROM device=1 direction=1 length=" +
           std::to_string(length) + " -> " + std::to_string(result);
}

const ShownBox kTableDone = InformationBox("Finish Downloading Configuration Table !");
const ShownBox kFirmwareDone = InformationBox("Finish Downloading Firmware !");

enum class Button { Configuration, Firmware, ConfigurationFirmware };

const char* Name(Button button) {
    switch (button) {
        case Button::Configuration:
            return "Update Configuration";
        case Button::Firmware:
            return "Update Firmware";
        case Button::ConfigurationFirmware:
            return "Update Configuration / Firmware";
    }
    return "";
}

void Press(Button button, device::DownloadContext& context) {
    switch (button) {
        case Button::Configuration:
            device::OnUpdateConfiguration(context);
            break;
        case Button::Firmware:
            device::OnUpdateFirmware(context);
            break;
        case Button::ConfigurationFirmware:
            device::OnUpdateConfigurationFirmware(context);
            break;
    }
}

class DownloadProceduresTest : public DownloadTest {
  protected:
    void Press(Button button) {
        auto context = Context();
        downloadtest::Press(button, context);
    }

    void ExpectFlagsReset() const {
        EXPECT_EQ(form.commitOnly, 0);
        EXPECT_EQ(form.commitSucceeded, 0);
        EXPECT_EQ(form.firmwareImageBuilt, 0);
    }
};

Bytes Join(const Bytes& front, const Bytes& back) {
    Bytes joined = front;
    joined.insert(joined.end(), back.begin(), back.end());
    return joined;
}

TEST_F(DownloadProceduresTest, UpdateConfigurationSendsTheCommittedSealedTable) {
    Press(Button::Configuration);
    EXPECT_THAT(prompts.boxes, ElementsAre(InformationBox("Finish Downloading Configuration !")));
    EXPECT_THAT(simtest::JournalLines(), ElementsAre(kLoad, kOpen, ConfigWrite(0), kUnload));
    const auto committed = CommittedTable();
    ASSERT_TRUE(config::IsConfigTableSealed(committed));
    EXPECT_EQ(table, committed);
    EXPECT_THAT(ConfigEEPROM(1), ElementsAreArray(committed.bytes));
    EXPECT_THAT(WorkingFiles(), IsEmpty());  // no INI file, no image
    ExpectFlagsReset();
}

TEST_F(DownloadProceduresTest, UpdateConfigurationFirmwareSendsTableThenImage) {
    GiveRawFile(kRawAbc);
    Press(Button::ConfigurationFirmware);
    EXPECT_THAT(prompts.boxes, ElementsAre(kTableDone, kFirmwareDone));
    EXPECT_THAT(simtest::JournalLines(),
                ElementsAre(kLoad, kOpen, ConfigWrite(0), FirmwareWrite(7, 0), kUnload));
    const auto committedTable = CommittedTable();
    const Bytes committed(committedTable.bytes.begin(), committedTable.bytes.end());
    EXPECT_EQ(ConfigEEPROM(1), committed);
    EXPECT_EQ(FirmwareEEPROM(1, 7), kImageAbc);
    EXPECT_THAT(WorkingFiles(), ElementsAre("Config_Rom.bin", "TempBinData.bin", "firmware.bin"));
    EXPECT_EQ(testsupport::ReadBytes(work / "TempBinData.bin"), kImageAbc);
    EXPECT_EQ(testsupport::ReadBytes(work / "Config_Rom.bin"), Join(committed, kImageAbc));
    ExpectFlagsReset();
}

TEST_F(DownloadProceduresTest, UpdateFirmwareErasesTheConfigurationAndIgnoresTheForm) {
    input.vendorId = "12G4";  // refused by a commit; this procedure never commits
    GiveRawFile(kRawAbc);
    Press(Button::Firmware);
    EXPECT_THAT(prompts.boxes, ElementsAre(kTableDone, kFirmwareDone));
    EXPECT_THAT(simtest::JournalLines(),
                ElementsAre(kLoad, kOpen, ConfigWrite(0), FirmwareWrite(7, 0), kUnload));
    const Bytes erased(128, 0xFF);
    EXPECT_THAT(table.bytes, Each(0xFF));
    EXPECT_EQ(ConfigEEPROM(1), erased);
    EXPECT_EQ(FirmwareEEPROM(1, 7), kImageAbc);
    EXPECT_THAT(WorkingFiles(), ElementsAre("TempBinData.bin", "UnConfig_Rom.bin", "firmware.bin"));
    EXPECT_EQ(testsupport::ReadBytes(work / "UnConfig_Rom.bin"), Join(erased, kImageAbc));
    EXPECT_EQ(form.firmwareImageBuilt, 0);
}

// A configuration that an earlier download put on the device, to see what a later one changes.
void ConfigureDevice(const Bytes& table) {
    Bytes bytes = table;
    VivuRAZLib_Load();
    VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, bytes.data(), 128);
    VivuRAZLib_Unload();
    VivuRAZSim_ClearJournal();
}

struct DeviceCase {
    std::string name;
    std::function<void()> arrange;
    std::vector<ShownBox> configurationBoxes;  // Update Configuration
    std::vector<ShownBox> firmwareBoxes;       // the two firmware procedures
    std::vector<std::string> firmwareJournal;  // the two firmware procedures
};

TEST_F(DownloadProceduresTest, DeviceResultsShownInOrderAndTheLibraryUnloaded) {
    const std::vector<DeviceCase> cases = {
        {"no device attached",
         [] { VivuRAZSim_Attach(0); },
         {ErrorBox("Device not found !")},
         {ErrorBox("Device not found !")},
         {kLoad, "VivuRAZLib_OpenDev count=0 device=0 -> 0", kUnload}},
        {"open failing",
         [] { VivuRAZSim_SetFault(kVivuRAZSimOpen, -7, 1); },
         {ErrorBox("Device not found !")},
         {ErrorBox("Device not found !")},
         {kLoad, "VivuRAZLib_OpenDev count=0 device=0 -> -7", kUnload}},
        {"configuration write returning 5",
         [] { VivuRAZSim_SetFault(kVivuRAZSimConfig, 5, 1); },
         {AppErrorBox("Downloading Configuration is Failed ! (5)")},
         {AppErrorBox("Downloading Configuration is Failed ! (5)"), kFirmwareDone},
         {kLoad, kOpen, ConfigWrite(5), FirmwareWrite(7, 0), kUnload}},
        {"firmware write returning -1",
         [] { VivuRAZSim_SetFault(kVivuRAZSimFirmware, -1, 1); },
         {InformationBox("Finish Downloading Configuration !")},
         {kTableDone, AppErrorBox("Downloading Firmware is Failed ! (-1)")},
         {kLoad, kOpen, ConfigWrite(0), FirmwareWrite(7, -1), kUnload}},
    };
    GiveRawFile(kRawAbc);
    for (const auto& c : cases) {
        for (const Button button :
             {Button::Configuration, Button::Firmware, Button::ConfigurationFirmware}) {
            SCOPED_TRACE(c.name + ", " + Name(button));
            VivuRAZSim_Reset();
            VivuRAZSim_SetJournal(1);
            c.arrange();
            prompts.Clear();
            Press(button);
            const bool firmware = button != Button::Configuration;
            EXPECT_THAT(prompts.boxes,
                        ElementsAreArray(firmware ? c.firmwareBoxes : c.configurationBoxes));
            if (firmware) {
                EXPECT_THAT(simtest::JournalLines(), ElementsAreArray(c.firmwareJournal));
            } else {
                EXPECT_EQ(simtest::JournalLines().back(), kUnload);
            }
            ExpectFlagsReset();
        }
    }
    // The files are written before the device is looked for.
    EXPECT_THAT(WorkingFiles(), ElementsAre("Config_Rom.bin", "TempBinData.bin", "UnConfig_Rom.bin",
                                            "firmware.bin"));
}

struct PreparationCase {
    std::string name;
    std::function<void()> arrange;
    std::string message;
    std::vector<std::string> filesAfter;
};

TEST_F(DownloadProceduresTest, FirmwarePreparationRefusalsSendNothing) {
    const Bytes olderImage = {0x01, 0x00, 0x11, 0x5A, 0x11};
    const std::vector<PreparationCase> cases = {
        {"empty Bin File Directory box", [] {}, "Can't open the bin file !", {}},
        {"missing raw file, no image left over",
         [this] { binText = (work / "missing.bin").string(); },
         "The bin file can't be readed !",
         {}},
        {"missing raw file, an older image left over",
         [&] {
             binText = (work / "missing.bin").string();
             testsupport::WriteBytes(work / "TempBinData.bin", olderImage);
         },
         "Can't load the firmware !",
         {"TempBinData.bin"}},
        {"raw file over 65535 bytes",
         [this] { GiveRawFile(Bytes(65536, 0x00)); },
         "The bin file is too large ! (At most 65535 bytes)",
         {"firmware.bin"}},
    };
    for (const auto& c : cases) {
        for (const Button button : {Button::Firmware, Button::ConfigurationFirmware}) {
            SCOPED_TRACE(c.name + ", " + Name(button));
            for (const auto& name : WorkingFiles()) {
                std::filesystem::remove(work / name);
            }
            binText.clear();
            table = config::ConfigTable{};
            c.arrange();
            prompts.Clear();
            VivuRAZSim_ClearJournal();
            Press(button);
            EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox(c.message)));
            EXPECT_THAT(simtest::JournalLines(), IsEmpty());
            EXPECT_THAT(WorkingFiles(), ElementsAreArray(c.filesAfter));
            if (!c.filesAfter.empty() && c.filesAfter.front() == "TempBinData.bin") {
                EXPECT_EQ(testsupport::ReadBytes(work / "TempBinData.bin"), olderImage);
            }
            ExpectFlagsReset();
        }
    }
}

TEST_F(DownloadProceduresTest, RefusedFieldThenCantLoadAndNoLibraryCall) {
    input.vendorId = "12G4";
    GiveRawFile(kRawAbc);
    for (const Button button : {Button::Configuration, Button::ConfigurationFirmware}) {
        SCOPED_TRACE(Name(button));
        prompts.Clear();
        Press(button);
        EXPECT_THAT(prompts.boxes,
                    ElementsAre(ErrorBox("Vendor ID is invalid ! (Character in the range 0~9 and "
                                         "A~F)"),
                                ErrorBox("Can't load the configuration !")));
        ExpectFlagsReset();
    }
    EXPECT_THAT(simtest::JournalLines(), IsEmpty());
    EXPECT_THAT(WorkingFiles(), ElementsAre("firmware.bin"));
}

TEST_F(DownloadProceduresTest, AfterADownloadSaveAndLoadAsksForTheFileAgain) {
    Press(Button::ConfigurationFirmware);  // empty Bin File Directory box
    EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox("Can't open the bin file !")));
    EXPECT_TRUE(config::CommitForm(input, table, form).askForFileName);
}

TEST_F(DownloadProceduresTest, OnlyTheFirstOfTwoDevicesIsWritten) {
    VivuRAZSim_Attach(2);
    const Bytes erased(128, 0xFF);
    GiveRawFile(kRawAbc);
    Press(Button::ConfigurationFirmware);
    EXPECT_THAT(simtest::JournalLines(),
                ElementsAre(kLoad, "VivuRAZLib_OpenDev count=2 device=1 -> 0", ConfigWrite(0),
                            FirmwareWrite(7, 0), kUnload));
    EXPECT_EQ(FirmwareEEPROM(1, 7), kImageAbc);
    EXPECT_EQ(ConfigEEPROM(2), erased);
    EXPECT_EQ(FirmwareEEPROM(2, 7), Bytes(7, 0xFF));
}

TEST_F(DownloadProceduresTest, AnEarlierConfigurationIsReplacedByTheErasedTable) {
    const auto committed = CommittedTable();
    ConfigureDevice(Bytes(committed.bytes.begin(), committed.bytes.end()));
    GiveRawFile(kRawAbc);
    Press(Button::Firmware);
    EXPECT_EQ(ConfigEEPROM(1), Bytes(128, 0xFF));
}

// The window functions report exhausted memory by an exception; a box that throws one stands
// for it here, while the library is loaded.
class ThrowingPrompts : public testsupport::ScriptedPrompts {
  public:
    void DialogBox(std::string_view, std::string_view, platform::BoxType) override {
        throw std::bad_alloc();
    }
};

TEST_F(DownloadProceduresTest, AnExceptionEndsTheProcedureSilentlyAfterUnloading) {
    GiveRawFile(kRawAbc);
    ThrowingPrompts throwing;
    for (const Button button :
         {Button::Configuration, Button::Firmware, Button::ConfigurationFirmware}) {
        SCOPED_TRACE(Name(button));
        VivuRAZSim_ClearJournal();
        auto context = Context();
        device::DownloadContext throwingContext{context.table,       context.form,
                                                context.formCommit,  context.buildRomImage,
                                                context.binFileText, throwing};
        EXPECT_NO_THROW(downloadtest::Press(button, throwingContext));
        EXPECT_THAT(simtest::JournalLines(), ElementsAre(kLoad, kOpen, ConfigWrite(0), kUnload));
        ExpectFlagsReset();
    }
}

}  // namespace
}  // namespace downloadtest
