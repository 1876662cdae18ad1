#pragma once

// The form commit: rebuilds the configuration table from the form, field by field, and seals it
// when every field passed.

#include <optional>

#include "config/config_table.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "config/refusal.h"

namespace config {

struct CommitResult {
    // The one refused field's message (caption "Error"). The table then holds the fields
    // stored before it and is not sealed; commitSucceeded is 0.
    std::optional<Refusal> refusal;
    // Every field passed and commitOnly is not 1: "Save and Load" goes on to ask for the INI
    // file's name (kIniFileFilter) and save it (SaveIniFile).
    bool askForFileName = false;
};

// Erases the table, checks and stores the six texts in order (length rule first), sets the
// choices from the lists and seals the table. With commitOnly = 1 a passing commit sets
// commitSucceeded to 1; a refused field always sets it to 0; otherwise it stays.
CommitResult CommitForm(const FormInput& input, ConfigTable& table, FormState& form);

}  // namespace config
