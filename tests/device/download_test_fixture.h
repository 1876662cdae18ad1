#pragma once

// The three download procedures run as the main dialog runs them: the real form commit over
// given field texts, the real ROM image writer, the real device library with its state folder
// in a temporary folder, and the working files in another temporary folder that is the current
// directory. The person's answers come from ScriptedPrompts.

#include <cstdint>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "device/download_procedures.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"
#include "tests/vivuraz/sim_fixture.h"

namespace downloadtest {

using Bytes = std::vector<std::uint8_t>;

// The raw firmware "abc" and the image built from it.
inline const Bytes kRawAbc = {0x61, 0x62, 0x63};
inline const Bytes kImageAbc = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};

class DownloadTest : public simtest::SimTest {
  protected:
    DownloadTest();

    // What the dialog hands its procedures.
    device::DownloadContext Context();

    // The table that a validate-only commit of `input` builds.
    config::ConfigTable CommittedTable() const;

    // Writes the raw firmware file and names it in the "Bin File Directory" box.
    void GiveRawFile(const Bytes& raw);

    // What the device `reference` holds, read through the library.
    Bytes ConfigEEPROM(std::int32_t reference) const;
    Bytes FirmwareEEPROM(std::int32_t reference, std::size_t length) const;

    // The files in the working folder, by name.
    std::vector<std::string> WorkingFiles() const;

    testsupport::TempDir work;
    testsupport::ScopedCurrentDir inWork{work.path()};
    testsupport::ScriptedPrompts prompts;
    config::FormInput input = config::StartupFormInput();
    config::FormState form = config::StartupFormState();
    config::ConfigTable table;
    std::string binText;
};

}  // namespace downloadtest
