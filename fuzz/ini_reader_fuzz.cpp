// The INI reader over any file content: the loaded table is always sealed, its reserved bytes
// stay erased, and every value handed to the form fits its field.

#include <cstddef>
#include <cstdint>

#include "config/config_table.h"
#include "config/form_state.h"
#include "config/ini_reader.h"
#include "fuzz/fuzz_support.h"

namespace {

void CheckAssignment(const config::Assignment& assignment) {
    using fuzzsupport::Require;
    if (assignment.IsListSelection()) {
        Require(assignment.selectIndex <= 2, "a list index beyond the lists");
        Require(assignment.text.empty(), "a list selection with a text");
        return;
    }
    // The widest field, the product string, holds 48 characters.
    Require(assignment.text.size() <= config::kProductWidth, "a value longer than any field");
    Require(assignment.text.find_first_of(" =\n") == std::string::npos,
            "a value holding a separator");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WorkFolder() + "/input.ini";
    fuzzsupport::WriteFile(path, data, size);

    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    form.commitOnly = 1;
    form.commitSucceeded = 1;
    const config::LoadResult result = config::LoadIniFile(path, table, form);

    using fuzzsupport::Require;
    Require(config::IsConfigTableSealed(table), "the loaded table is not sealed");
    for (std::size_t i = 0; i < config::kReservedWidth; ++i) {
        Require(table.bytes[i] == config::kErasedByte, "a reserved byte was written");
    }
    Require(form.commitOnly == 1 && form.commitSucceeded == 1 && form.firmwareImageBuilt == 0,
            "the load touched a flag");
    Require(form.serialText.back() == '\0' && form.manufacturerText.back() == '\0' &&
                form.productText.back() == '\0',
            "a text member lost its closing zero");
    for (const config::Assignment& assignment : result.assignments) {
        CheckAssignment(assignment);
    }
    return 0;
}
