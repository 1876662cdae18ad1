#include "vivuraz/controller_state.h"

#include <algorithm>
#include <string_view>

namespace vivuraz {
namespace {

constexpr std::string_view kMagic = "vivuraz-sim state 1\n";
static_assert(kStateHeadSize == kMagic.size() + 4 * (3 + 2 * kOperationCount));

void PutInt(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Reads the state file front to back; any read past its end marks it as failed.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : rest(bytes) {}

    std::span<const std::uint8_t> Take(std::size_t count) {
        if (failed || count > rest.size()) {
            failed = true;
            return {};
        }
        auto taken = rest.first(count);
        rest = rest.subspan(count);
        return taken;
    }

    std::int32_t Int() {
        auto bytes = Take(4);
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bits |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
        }
        return static_cast<std::int32_t>(bits);
    }

    bool Complete() const { return !failed && rest.empty(); }
    bool Failed() const { return failed; }

  private:
    std::span<const std::uint8_t> rest;
    bool failed = false;
};

bool ValidTimes(std::int32_t times) {
    return times >= 0 || times == kAlways;
}

std::optional<Device> ReadDevice(Reader& in) {
    Device device;
    auto config = in.Take(kConfigSize);
    auto registers = in.Take(kRegisterSpaceSize);
    const std::int32_t firmwareLength = in.Int();
    if (in.Failed() || firmwareLength < 0 ||
        static_cast<std::size_t>(firmwareLength) > kFirmwareCapacity) {
        return std::nullopt;
    }
    auto firmware = in.Take(static_cast<std::size_t>(firmwareLength));
    if (in.Failed()) {
        return std::nullopt;
    }
    std::copy(config.begin(), config.end(), device.config.begin());
    device.registers.assign(registers.begin(), registers.end());
    device.firmware.assign(firmware.begin(), firmware.end());
    return device;
}

// The length of the state file, so that it is built in one buffer: grown step by step, a state
// of 128 KiB and more would pass through a chain of ever larger buffers on every stored change,
// each one fresh memory that the process faults in page by page.
std::size_t SerializedSize(const ControllerState& state) {
    std::size_t size = kStateHeadSize;
    for (const Device& device : state.devices) {
        size += kDeviceFixedSize + device.firmware.size();
    }
    return size;
}

}  // namespace

Device NewDevice() {
    Device device;
    device.config.fill(0xFF);
    device.registers.assign(kRegisterSpaceSize, 0x00);
    std::copy(kInitialVersion.begin(), kInitialVersion.end(),
              device.registers.begin() + kVersionAddress);
    return device;
}

ControllerState InitialState() {
    ControllerState state;
    state.devices.push_back(NewDevice());
    return state;
}

std::vector<std::uint8_t> SerializeState(const ControllerState& state, std::size_t spare) {
    std::vector<std::uint8_t> out;
    SerializeStateInto(state, spare, out);
    return out;
}

void SerializeStateInto(const ControllerState& state, std::size_t spare,
                        std::vector<std::uint8_t>& out) {
    out.reserve(SerializedSize(state) + spare);
    out.assign(kMagic.begin(), kMagic.end());
    PutInt(out, state.journalOn ? 1 : 0);
    PutInt(out, state.emptyReads);
    for (const ScriptedFault& fault : state.faults) {
        PutInt(out, fault.code);
        PutInt(out, fault.times);
    }
    PutInt(out, static_cast<std::int32_t>(state.devices.size()));
    for (const Device& device : state.devices) {
        PutBytes(out, device.config);
        PutBytes(out, device.registers);
        PutInt(out, static_cast<std::int32_t>(device.firmware.size()));
        PutBytes(out, device.firmware);
    }
}

std::optional<ControllerState> ParseState(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    auto magic = in.Take(kMagic.size());
    if (in.Failed() || !std::equal(magic.begin(), magic.end(), kMagic.begin())) {
        return std::nullopt;
    }
    ControllerState state;
    const std::int32_t journal = in.Int();
    state.emptyReads = in.Int();
    for (ScriptedFault& fault : state.faults) {
        fault.code = in.Int();
        fault.times = in.Int();
        if (!ValidTimes(fault.times)) {
            return std::nullopt;
        }
    }
    const std::int32_t count = in.Int();
    if (in.Failed() || (journal != 0 && journal != 1) || !ValidTimes(state.emptyReads) ||
        count < 0 || count > kMaxDevices) {
        return std::nullopt;
    }
    state.journalOn = journal == 1;
    for (std::int32_t i = 0; i < count; ++i) {
        auto device = ReadDevice(in);
        if (!device) {
            return std::nullopt;
        }
        state.devices.push_back(std::move(*device));
    }
    if (!in.Complete()) {
        return std::nullopt;
    }
    return state;
}

}  // namespace vivuraz
