#include "vivuraz/state_folder.h"

#include <cstdlib>
#include <mutex>
#include <string>

namespace vivuraz {
namespace {

std::mutex overrideMutex;
std::optional<std::filesystem::path> folderOverride;

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace

std::optional<std::filesystem::path> StateFolderPath() {
    {
        std::lock_guard lock(overrideMutex);
        if (folderOverride) {
            return folderOverride;
        }
    }
    if (auto dir = Variable("VIVURAZ_SIM_DIR")) {
        return std::filesystem::path(*dir);
    }
    if (auto xdg = Variable("XDG_STATE_HOME"); xdg && std::filesystem::path(*xdg).is_absolute()) {
        return std::filesystem::path(*xdg) / "vivuraz-sim";
    }
    if (auto home = Variable("HOME")) {
        return std::filesystem::path(*home) / ".local" / "state" / "vivuraz-sim";
    }
    return std::nullopt;
}

void SetStateFolderOverride(std::optional<std::filesystem::path> folder) {
    std::lock_guard lock(overrideMutex);
    folderOverride = std::move(folder);
}

}  // namespace vivuraz
