#include "device/device_library.h"

#include <algorithm>
#include <limits>

#include "vivuraz/vivuraz.h"

namespace device {
namespace {

constexpr std::int32_t kRead = 0;
constexpr std::int32_t kWrite = 1;

// The library takes 32-bit lengths; a buffer too large for one is refused the way the library
// refuses a length it can't serve, without a call.
bool FitsLength(std::size_t size) {
    return size <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

// The library's buffers are not const (direction 0 reads into them); a write only reads them.
unsigned char* WriteBuffer(std::span<const std::uint8_t> bytes) {
    return const_cast<unsigned char*>(bytes.data());
}

}  // namespace

Status Device::ReadRegisters(std::uint16_t address, std::span<std::uint8_t> buffer) const {
    std::fill(buffer.begin(), buffer.end(), 0);
    if (!FitsLength(buffer.size())) {
        return kVivuRAZErrorLength;
    }
    return VivuRAZLib_Q4870_AccessRegister(reference, kRead, address, buffer.data(),
                                           static_cast<std::int32_t>(buffer.size()));
}

Status Device::WriteRegister(std::uint16_t address, std::uint8_t value) const {
    return VivuRAZLib_Q4870_AccessRegister(reference, kWrite, address, nullptr, value);
}

Status Device::WriteConfigEEPROM(std::span<const std::uint8_t, kConfigEEPROMSize> table) const {
    return VivuRAZLib_Q4870_AccessConfigEEPROM(reference, kWrite, WriteBuffer(table),
                                               static_cast<std::int32_t>(table.size()));
}

Status Device::WriteFirmwareEEPROM(std::span<const std::uint8_t> image) const {
    if (!FitsLength(image.size())) {
        return kVivuRAZErrorLength;
    }
    return VivuRAZLib_Q4870_AccessFirmwareEEPROM(reference, kWrite, WriteBuffer(image),
                                                 static_cast<std::int32_t>(image.size()));
}

LibrarySession::LibrarySession(UnloadPolicy policy) : policy(policy) {
    VivuRAZLib_Load();
}

LibrarySession::~LibrarySession() {
    if (policy == UnloadPolicy::UnloadAtEnd) {
        VivuRAZLib_Unload();
    }
}

std::optional<Device> LibrarySession::OpenFirstDevice() {
    DeviceList list{};
    if (VivuRAZLib_OpenDev(&list) != 0 || list.count <= 0) {
        return std::nullopt;
    }
    return Device(list.device);
}

}  // namespace device
