#pragma once

// Shared by the benchmarks that drive the simulated controller: a scratch folder that is the
// current directory (the tool writes its working files by bare name) and holds the controller's
// state folder, and the person at the dialog. The scratch folder lies under $TMPDIR (else /tmp),
// so the disk that synced writes go to is chosen there.

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "device/device_messages.h"
#include "platform/prompts.h"
#include "tests/support/temp_dir.h"
#include "vivuraz/vivuraz_sim.h"

namespace bench {

// The state folder is named through VIVURAZ_SIM_DIR, as a person would name it, and starts as
// stored after a reset: one attached device with erased EEPROMs, so every library call reads a
// real state file, as it does on an engineer's machine.
class SimScratch {
  public:
    SimScratch() {
        ::setenv("VIVURAZ_SIM_DIR", StateFolder().c_str(), 1);
        ResetDevice();
    }
    ~SimScratch() { ::unsetenv("VIVURAZ_SIM_DIR"); }
    SimScratch(const SimScratch&) = delete;
    SimScratch& operator=(const SimScratch&) = delete;

    std::filesystem::path Root() const { return dir.path(); }
    std::filesystem::path StateFolder() const { return dir / "sim-state"; }
    std::filesystem::path StateFile() const { return StateFolder() / "state.bin"; }

    // Back to one attached device with erased EEPROMs.
    void ResetDevice() const {
        if (VivuRAZSim_Reset() != kVivuRAZSuccess) {
            throw std::runtime_error("cannot reset the simulated controller");
        }
    }

  private:
    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inDir{dir.path()};
};

// The person at the dialog: names a file in the save dialog when given one, and notes any box
// other than a download's success.
class DownloadPrompts : public platform::Prompts {
  public:
    explicit DownloadPrompts(std::optional<std::string> saveAnswer = std::nullopt)
        : saveAnswer(std::move(saveAnswer)) {}

    void DialogBox(std::string_view text, std::string_view, platform::BoxType) override {
        Note(text);
    }
    void ApplicationBox(std::string_view text, platform::BoxType) override { Note(text); }
    std::optional<std::string> AskSaveFileName(std::string_view) override { return saveAnswer; }
    std::optional<std::string> AskOpenFileName(std::string_view) override { return std::nullopt; }

    // The last box that was not a success; empty while every download succeeded.
    std::string unexpected;

  private:
    void Note(std::string_view text) {
        namespace messages = device::messages;
        if (text != messages::kFinishConfiguration && text != messages::kFinishConfigurationTable &&
            text != messages::kFinishFirmware) {
            unexpected = text;
        }
    }

    std::optional<std::string> saveAnswer;
};

}  // namespace bench
