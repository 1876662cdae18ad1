#pragma once

// The stored state of the simulated controller in its folder:
//   lock         the lock file (flock): every change is made under its exclusive lock
//   state.bin    the devices and the scripted behaviour (format in controller_state.h), in
//                two slots: each change goes into the one not holding the state (state_file.h)
//   journal.txt  the journal, one line per library call while it is on
// A folder without state.bin holds the first-use state.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "vivuraz/controller_state.h"
#include "vivuraz/folder_lock.h"
#include "vivuraz/state_file.h"

namespace vivuraz {

class StateStore {
  public:
    // The folder of StateFolderPath(), or the one given.
    StateStore();
    explicit StateStore(std::optional<std::filesystem::path> folder);

    // Locks the folder and reads the state; false with Error() set when either fails.
    bool Open(LockMode mode);

    // Only locks the folder, for a change that replaces the whole state (State() is empty).
    bool Lock(LockMode mode);

    ControllerState& State() { return state; }

    // Stores State(); false with Error() set, and the stored state unchanged, when it can't.
    bool Save();

    // Adds the line to the journal when it is on. The call it records has already happened, so a
    // line that can't be added is dropped rather than turned into a failure of the call.
    void Journal(std::string_view line);

    bool ReadJournal(std::string& text);
    bool ClearJournal();

    const std::string& Error() const { return error; }
    const std::optional<std::filesystem::path>& Folder() const { return folder; }

  private:
    std::optional<std::filesystem::path> folder;
    StateFile stateFile;
    FolderLock lock;
    ControllerState state;
    std::string error;
};

// Runs `change` on the stored state under the exclusive lock and stores the result when it
// returns success. Returns the change's status, or kVivuRAZErrorStorage with `error` set.
std::int32_t ChangeStoredState(const std::function<std::int32_t(ControllerState&)>& change,
                               std::string& error);

}  // namespace vivuraz
