#include "vivuraz/cli/cli_commands.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string_view>

#include "vivuraz/cli/cli_arguments.h"
#include "vivuraz/cli/hex_dump.h"
#include "vivuraz/sim_control.h"
#include "vivuraz/state_store.h"
#include "vivuraz/table_decode.h"
#include "vivuraz/vivuraz_sim.h"

namespace vivuraz::cli {
namespace {

constexpr std::string_view kOperations[] = {"open", "register", "config", "firmware"};

using Words = std::vector<std::string>;

void OpenOrThrow(StateStore& store, LockMode mode) {
    if (!store.Open(mode)) {
        throw StateError(store.Error());
    }
}

// Applies a change to the stored state; `refusal` is the message for an argument out of range.
void Change(const std::function<std::int32_t(ControllerState&)>& change,
            const std::string& refusal) {
    std::string error;
    const std::int32_t status = ChangeStoredState(change, error);
    if (status == kVivuRAZErrorStorage) {
        throw StateError(error);
    }
    if (status != kVivuRAZSuccess) {
        throw UsageError(refusal);
    }
}

void ThrowIfStorageFailed(std::int32_t status, const std::string& error) {
    if (status != kVivuRAZSuccess) {
        throw StateError(error);
    }
}

std::string Remaining(std::int32_t times, std::string_view unit) {
    if (times == kAlways) {
        return "every " + std::string(unit);
    }
    return std::to_string(times) + " more " + std::string(unit) + (times == 1 ? "" : "s");
}

void ShowScripted(const ControllerState& state, std::ostream& out) {
    out << "scripted faults:";
    bool any = false;
    for (std::size_t i = 0; i < kOperationCount; ++i) {
        if (const ScriptedFault& fault = state.faults[i]; fault.Active()) {
            out << "\n  " << kOperations[i] << " returns " << fault.code << " ("
                << Remaining(fault.times, "call") << ")";
            any = true;
        }
    }
    if (state.emptyReads != 0) {
        out << "\n  register reads fill nothing (" << Remaining(state.emptyReads, "read") << ")";
        any = true;
    }
    out << (any ? "\n" : " none\n");
}

void ShowDevice(std::size_t reference, const Device& device, std::ostream& out) {
    const std::span<const std::uint8_t> version(device.registers.data() + kVersionAddress,
                                                kVersionLength);
    out << "\ndevice " << reference << "\n"
        << "  configuration EEPROM: " << DescribeConfig(device.config) << "\n"
        << "  firmware EEPROM: " << DescribeFirmware(device.firmware) << "\n"
        << "  firmware version: " << HexBytes(version) << "\n";
}

void Show(const Words& words, std::ostream& out) {
    ExpectWords("show", SplitArguments("show", words, {}), 0, "no arguments");
    StateStore store;
    OpenOrThrow(store, LockMode::Shared);
    const ControllerState& state = store.State();
    out << "state folder: " << store.Folder()->string() << "\n"
        << "journal: " << (state.journalOn ? "on" : "off") << "\n";
    ShowScripted(state, out);
    out << "devices attached: " << state.devices.size() << "\n";
    for (std::size_t i = 0; i < state.devices.size(); ++i) {
        ShowDevice(i + 1, state.devices[i], out);
    }
}

std::span<const std::uint8_t> DumpedPart(const Device& device, std::string_view part) {
    if (part == "config") {
        return device.config;
    }
    if (part == "firmware") {
        return device.firmware;
    }
    if (part == "registers") {
        return device.registers;
    }
    throw UsageError("dump: expected config, firmware or registers, not '" + std::string(part) +
                     "'");
}

// The device named by --device (1 unless given), which must be attached.
const Device& ChosenDevice(const ControllerState& state, const Arguments& arguments,
                           std::string_view command) {
    const auto count = static_cast<std::int32_t>(state.devices.size());
    const std::int32_t reference =
        arguments.Has("--device")
            ? ParseNumber("--device", arguments.options.at("--device"), 1, kMaxDevices)
            : 1;
    if (reference > count) {
        throw UsageError(std::string(command) + ": no device " + std::to_string(reference) +
                         " is attached (" + std::to_string(count) + " attached)");
    }
    return state.devices[static_cast<std::size_t>(reference - 1)];
}

void Dump(const Words& words, std::ostream& out) {
    const Arguments arguments = SplitArguments("dump", words, {"--device"}, {"--hex"});
    ExpectWords("dump", arguments, 1, "config, firmware or registers");
    StateStore store;
    OpenOrThrow(store, LockMode::Shared);
    const Device& device = ChosenDevice(store.State(), arguments, "dump");
    const auto bytes = DumpedPart(device, arguments.words[0]);
    if (arguments.Has("--hex")) {
        out << HexDump(bytes);
    } else {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
}

void Attach(const Words& words, std::ostream&) {
    const Arguments arguments = SplitArguments("attach", words, {});
    ExpectWords("attach", arguments, 1, "the number of devices");
    const std::int32_t count = ParseNumber("attach: N", arguments.words[0], 0, kMaxDevices);
    Change([&](ControllerState& state) { return AttachDevices(state, count); }, "attach: refused");
}

std::int32_t Times(const Arguments& arguments) {
    return arguments.Has("--times")
               ? ParseNumber("fail: --times", arguments.options.at("--times"), 1, INT32_MAX)
               : kAlways;
}

void Fail(const Words& words, std::ostream&) {
    const Arguments arguments = SplitArguments("fail", words, {"--times"});
    const std::string what = arguments.words.empty() ? "" : arguments.words[0];
    if (what == "clear" && arguments.words.size() == 1 && arguments.options.empty()) {
        Change(ClearFaults, "fail clear: refused");
        return;
    }
    if (what == "empty-read" && arguments.words.size() == 1) {
        const std::int32_t times = Times(arguments);
        Change([&](ControllerState& state) { return SetEmptyReads(state, times); },
               "fail empty-read: refused");
        return;
    }
    const auto* found = std::find(std::begin(kOperations), std::end(kOperations), what);
    if (found == std::end(kOperations) || arguments.words.size() != 2) {
        throw UsageError(
            "fail: expected open|register|config|firmware CODE [--times K], "
            "empty-read [--times K] or clear");
    }
    const std::int32_t code = ParseNumber("fail: CODE", arguments.words[1], INT32_MIN, INT32_MAX);
    if (code == 0) {
        throw UsageError("fail: CODE must not be 0 (use fail clear to end the faults)");
    }
    const std::int32_t times = Times(arguments);
    const auto operation = static_cast<std::int32_t>(found - std::begin(kOperations));
    Change([&](ControllerState& state) { return SetFault(state, operation, code, times); },
           "fail: refused");
}

void Journal(const Words& words, std::ostream& out) {
    const Arguments arguments = SplitArguments("journal", words, {});
    ExpectWords("journal", arguments, 1, "on, off, show or clear");
    const std::string& what = arguments.words[0];
    std::string error;
    if (what == "on" || what == "off") {
        Change([&](ControllerState& state) { return SetJournal(state, what == "on"); },
               "journal: refused");
    } else if (what == "show") {
        std::string text;
        ThrowIfStorageFailed(ReadStoredJournal(text, error), error);
        out << text;
    } else if (what == "clear") {
        ThrowIfStorageFailed(ClearStoredJournal(error), error);
    } else {
        throw UsageError("journal: expected on, off, show or clear, not '" + what + "'");
    }
}

void Version(const Words& words, std::ostream&) {
    const Arguments arguments = SplitArguments("version", words, {"--device"});
    const std::vector<std::uint8_t> bytes = ParseVersionBytes(arguments.words);
    const std::int32_t reference =
        arguments.Has("--device")
            ? ParseNumber("version: --device", arguments.options.at("--device"), 1, kMaxDevices)
            : 1;
    Change(
        [&](ControllerState& state) {
            return SetVersion(
                state, reference,
                std::span<const std::uint8_t, kVersionLength>(bytes.data(), kVersionLength));
        },
        "version: no device " + std::to_string(reference) + " is attached");
}

void Reset(const Words& words, std::ostream&) {
    ExpectWords("reset", SplitArguments("reset", words, {}), 0, "no arguments");
    std::string error;
    ThrowIfStorageFailed(ResetStoredState(error), error);
}

struct Command {
    std::string_view name;
    void (*run)(const Words&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"show", Show},       {"dump", Dump},       {"attach", Attach}, {"fail", Fail},
    {"journal", Journal}, {"version", Version}, {"reset", Reset},
};

}  // namespace

void RunCommand(const std::vector<std::string>& words, std::ostream& out) {
    if (words.empty()) {
        throw UsageError("no command given");
    }
    for (const Command& command : kCommands) {
        if (command.name == words[0]) {
            command.run(Words(words.begin() + 1, words.end()), out);
            return;
        }
    }
    throw UsageError("unknown command '" + words[0] + "'");
}

std::string HelpText() {
    return R"(Usage: vivuraz-sim COMMAND [ARGUMENTS]

Looks at and controls the simulated controller behind libvivuraz.so.1. Its state
folder is $VIVURAZ_SIM_DIR, else $XDG_STATE_HOME/vivuraz-sim, else
~/.local/state/vivuraz-sim.

Commands:
  show                 every device: the configuration EEPROM decoded (erased,
                       sealed with its USB identity, or corrupt and why), the
                       firmware EEPROM's verdict and the firmware version bytes;
                       the journal switch and the scripted faults
  dump config|firmware|registers [--device N] [--hex]
                       the raw bytes of device N (default 1) on standard output;
                       --hex writes a hex dump instead
  attach N             attach N devices (0 to 16), referenced 1 to N
  fail open|register|config|firmware CODE [--times K]
                       the next K calls (default: every call) of that kind return
                       CODE (a nonzero decimal number) and change nothing
  fail empty-read [--times K]
                       the next K register reads (default: every one) return 0
                       and fill nothing
  fail clear           end every scripted fault and empty read
  journal on|off       switch the journal of library calls on or off
  journal show|clear   print the journal, or empty it
  version BYTES [--device N]
                       set the firmware version bytes 0x07F0 to 0x07F5 of device
                       N (default 1): six hexadecimal bytes, as 01 75 00 0a b2 ff
                       or 0175000ab2ff
  reset                back to the first-use state: one erased device, no faults,
                       journal off and empty
  --help               this text

Exit status: 0 success, 1 the state folder can't be used, 2 a bad command line.
)";
}

}  // namespace vivuraz::cli
