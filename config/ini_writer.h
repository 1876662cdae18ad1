#pragma once

// Saves the form's texts as an INI configuration file, replacing any previous file atomically.

#include <optional>
#include <string>
#include <string_view>

#include "config/form_input.h"
#include "config/refusal.h"

namespace config {

inline constexpr std::string_view kIniFileFilter = "Config File (*.ini)|*.ini||";

// The eight lines: CR LF after lines 1 to 7, nothing after line 8; each text cut to
// kFormTextLimit as the form hands it over, otherwise as typed.
std::string FormatIniFile(const FormInput& input);

// Writes FormatIniFile(input) to a temporary file in the target's folder, syncs it and renames
// it over `path`. On any failure the previous file is left as it was and no temporary file
// remains. Returns "Can't open an ini file !" when the temporary file can't be created, else a
// message naming the file and the reason.
std::optional<Refusal> WriteIniFile(const std::string& path, const FormInput& input);

// The save step of "Save and Load", given the save dialog's answer: nothing (cancelled) gives
// "You must to name the ini file !"; an empty path saves nothing and says nothing; else
// WriteIniFile.
std::optional<Refusal> SaveIniFile(const std::optional<std::string>& chosenPath,
                                   const FormInput& input);

}  // namespace config
