#pragma once

// The download procedures wired as the main dialog wires them, for the device tests and the
// benchmarks: the real form commit over given field texts, the real ROM image writer (which runs
// the commit again for the table part of Config_Rom.bin), and the raw firmware file's path as
// the "Bin File Directory" box holds it.

#include <string>

#include "config/config_table.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "device/download_procedures.h"
#include "platform/prompts.h"

namespace testsupport {

// The form commit as "Save and Load" runs it: a refused field shows its box through `prompts`.
void CommitShowingRefusal(const config::FormInput& input, config::ConfigTable& table,
                          config::FormState& form, platform::Prompts& prompts);

// Holds every argument by reference: `input` and `binFileText` are read when a procedure runs
// them, so a caller may change them after making the context. All must outlive the context.
device::DownloadContext DialogDownloadContext(const config::FormInput& input,
                                              config::ConfigTable& table, config::FormState& form,
                                              const std::string& binFileText,
                                              platform::Prompts& prompts);

}  // namespace testsupport
