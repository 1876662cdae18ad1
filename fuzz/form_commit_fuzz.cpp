// The form commit over any field texts and list selections: a refusal leaves the table
// unsealed and commitSucceeded at 0; a pass seals it, and the INI text written from it holds
// exactly eight lines.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/config_table.h"
#include "config/form_commit.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "config/ini_writer.h"
#include "fuzz/fuzz_support.h"

namespace {

// The input is four bytes of selections and flags, then the seven texts parted by zero bytes.
config::FormInput InputFrom(const std::uint8_t* data, std::size_t size, std::uint8_t& mode) {
    config::FormInput input;
    const auto index = [](std::uint8_t byte) { return static_cast<int>(byte % 5) - 1; };
    const std::uint8_t head[4] = {
        size > 0 ? data[0] : std::uint8_t{0}, size > 1 ? data[1] : std::uint8_t{0},
        size > 2 ? data[2] : std::uint8_t{0}, size > 3 ? data[3] : std::uint8_t{0}};
    input.languageIndex = index(head[0]);
    input.speedIndex = index(head[1]);
    input.powerIndex = index(head[2]);
    mode = head[3];
    std::string* texts[] = {&input.vendorId,     &input.productId,          &input.deviceRevision,
                            &input.serialNumber, &input.manufacturerString, &input.productString,
                            &input.speedText};
    std::size_t field = 0;
    for (std::size_t i = std::min<std::size_t>(size, 4); i < size && field < 7; ++i) {
        if (data[i] == 0) {
            ++field;
        } else {
            texts[field]->push_back(static_cast<char>(data[i]));
        }
    }
    return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t mode = 0;
    const config::FormInput input = InputFrom(data, size, mode);
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    form.commitOnly = mode & 1;
    form.commitSucceeded = (mode >> 1) & 1;
    const std::uint8_t succeededBefore = form.commitSucceeded;

    const config::CommitResult result = config::CommitForm(input, table, form);

    using fuzzsupport::Require;
    Require(form.commitOnly == (mode & 1), "the commit changed commitOnly");
    if (result.refusal) {
        Require(!result.askForFileName, "a refused commit asks for a file name");
        Require(form.commitSucceeded == 0, "a refused commit left commitSucceeded set");
        Require(table.bytes[config::kMarkerOffset] == config::kErasedByte &&
                    table.bytes[config::kChecksumOffset] == config::kErasedByte,
                "a refused commit sealed the table");
        Require(!result.refusal->message.empty(), "a refusal without a message");
        return 0;
    }
    Require(config::IsConfigTableSealed(table), "a passed commit left the table unsealed");
    Require(result.askForFileName == (form.commitOnly != 1), "the save step asked wrongly");
    Require(form.commitSucceeded == (form.commitOnly == 1 ? 1 : succeededBefore),
            "a passed commit set commitSucceeded wrongly");
    const std::string ini = config::FormatIniFile(input);
    Require(std::count(ini.begin(), ini.end(), '\n') >= 7, "the INI text lost a line end");
    return 0;
}
