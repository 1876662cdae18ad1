#include "vivuraz/state_store.h"

#include <vector>

#include "vivuraz/file_io.h"
#include "vivuraz/state_folder.h"
#include "vivuraz/vivuraz.h"

namespace vivuraz {
namespace {

constexpr const char* kStateFile = "state.bin";
constexpr const char* kJournalFile = "journal.txt";

// A serialized state is over 128 KiB, where malloc maps fresh pages for each allocation and
// unmaps them again on release: one buffer per thread, reused by every call, spares each library
// call those page faults (they cost more than the call's own work on a memory file system).
std::vector<std::uint8_t>& RecordBuffer() {
    static thread_local std::vector<std::uint8_t> buffer;
    return buffer;
}

}  // namespace

StateStore::StateStore() : StateStore(StateFolderPath()) {}

StateStore::StateStore(std::optional<std::filesystem::path> folder)
    : folder(std::move(folder)),
      stateFile(this->folder ? *this->folder / kStateFile : std::filesystem::path()) {}

bool StateStore::Lock(LockMode mode) {
    if (!folder) {
        error = "no state folder: set VIVURAZ_SIM_DIR, XDG_STATE_HOME or HOME";
        return false;
    }
    return lock.Take(*folder, mode, error);
}

bool StateStore::Open(LockMode mode) {
    if (!Lock(mode)) {
        return false;
    }
    std::vector<std::uint8_t>& payload = RecordBuffer();
    switch (stateFile.ReadNewest(payload, error)) {
        case SlotRead::Missing:
            state = InitialState();
            return true;
        case SlotRead::Failed:
            return false;
        case SlotRead::Damaged:
            break;
        case SlotRead::Read:
            if (auto parsed = ParseState(payload)) {
                state = std::move(*parsed);
                return true;
            }
            break;
    }
    error = stateFile.Path().string() + " is damaged (vivuraz-sim reset starts afresh)";
    return false;
}

bool StateStore::Save() {
    std::vector<std::uint8_t>& record = RecordBuffer();
    SerializeStateInto(state, kTrailerSize, record);
    return stateFile.Write(record, error);
}

void StateStore::Journal(std::string_view line) {
    if (state.journalOn) {
        std::string ignored;
        AppendToFile(*folder / kJournalFile, std::string(line) + "\n", ignored);
    }
}

bool StateStore::ReadJournal(std::string& text) {
    std::vector<std::uint8_t> bytes;
    const ReadResult result = ReadWholeFile(*folder / kJournalFile, bytes, error);
    text.assign(bytes.begin(), bytes.end());
    return result != ReadResult::Failed;
}

bool StateStore::ClearJournal() {
    return ReplaceFile(*folder / kJournalFile, {}, error);
}

std::int32_t ChangeStoredState(const std::function<std::int32_t(ControllerState&)>& change,
                               std::string& error) {
    StateStore store;
    if (!store.Open(LockMode::Exclusive)) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    const std::int32_t status = change(store.State());
    if (status == kVivuRAZSuccess && !store.Save()) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    return status;
}

}  // namespace vivuraz
