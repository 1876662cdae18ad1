#pragma once

// Loads an INI configuration file into the table and the form state, line by line, as the
// "Load" button does.

#include <optional>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/form_state.h"
#include "config/refusal.h"

namespace config {

// One accepted value for the form: an edit field's new text, or a list's index to select.
struct Assignment {
    int controlId = 0;
    std::string text;      // edit fields (1062, 1064, 1063, 1071, 1067, 1068)
    int selectIndex = -1;  // lists (1077, 1080, 1079); -1 for edit fields

    bool IsListSelection() const { return selectIndex >= 0; }
    bool operator==(const Assignment&) const = default;
};

struct LoadResult {
    // In file order; the dialog applies them one after the other.
    std::vector<Assignment> assignments;
    // At most one: the load stops at the first refusal; what came before it stays.
    std::optional<Refusal> refusal;
};

// Erases the table, applies the file at `path` line by line (never undone) to the table and
// `form`, and seals the table on every path. The flags in `form` are not touched.
LoadResult LoadIniFile(const std::string& path, ConfigTable& table, FormState& form);

}  // namespace config
