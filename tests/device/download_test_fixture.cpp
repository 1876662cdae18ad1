#include "tests/device/download_test_fixture.h"

#include <algorithm>
#include <filesystem>

#include "config/form_commit.h"
#include "tests/support/download_context.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace downloadtest {

DownloadTest::DownloadTest() {
    VivuRAZSim_SetJournal(1);
}

device::DownloadContext DownloadTest::Context() {
    return testsupport::DialogDownloadContext(input, table, form, binText, prompts);
}

config::ConfigTable DownloadTest::CommittedTable() const {
    config::ConfigTable committed;
    config::FormState state = config::StartupFormState();
    state.commitOnly = 1;
    config::CommitForm(input, committed, state);
    return committed;
}

void DownloadTest::GiveRawFile(const Bytes& raw) {
    testsupport::WriteBytes(work / "firmware.bin", raw);
    binText = (work / "firmware.bin").string();
}

Bytes DownloadTest::ConfigEEPROM(std::int32_t reference) const {
    Bytes content(128);
    VivuRAZLib_Load();
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(reference, 0, content.data(), 128), 0);
    return content;
}

Bytes DownloadTest::FirmwareEEPROM(std::int32_t reference, std::size_t length) const {
    Bytes content(length);
    VivuRAZLib_Load();
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(reference, 0, content.data(),
                                                    static_cast<std::int32_t>(length)),
              0);
    return content;
}

std::vector<std::string> DownloadTest::WorkingFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(work.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace downloadtest
