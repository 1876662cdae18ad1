#pragma once

// Where the simulated controller keeps its state, looked up afresh for every call so that a
// test or a person can point the library elsewhere between calls.

#include <filesystem>
#include <optional>

namespace vivuraz {

// The folder set for this process, else $VIVURAZ_SIM_DIR, else $XDG_STATE_HOME/vivuraz-sim,
// else $HOME/.local/state/vivuraz-sim. Empty variables count as unset, and a relative
// XDG_STATE_HOME is ignored as the XDG rules say. Nothing when no folder can be named.
std::optional<std::filesystem::path> StateFolderPath();

// Sets (or, with nothing, clears) the folder of this process.
void SetStateFolderOverride(std::optional<std::filesystem::path> folder);

}  // namespace vivuraz
