#include "config/config_table.h"

namespace config {

void EraseConfigTable(ConfigTable& table) {
    table.bytes.fill(kErasedByte);
}

std::uint8_t ConfigChecksum(const ConfigTable& table) {
    unsigned sum = 0;
    for (std::size_t i = kChecksumFirst; i <= kMarkerOffset; ++i) {
        sum += table.bytes[i];
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

void SealConfigTable(ConfigTable& table) {
    table.bytes[kMarkerOffset] = kMarker;
    table.bytes[kChecksumOffset] = ConfigChecksum(table);
}

bool IsConfigTableSealed(const ConfigTable& table) {
    return table.bytes[kMarkerOffset] == kMarker &&
           table.bytes[kChecksumOffset] == ConfigChecksum(table);
}

void StoreWord(ConfigTable& table, std::size_t offset, std::uint16_t value) {
    table.bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFFu);
    table.bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t ReadWord(const ConfigTable& table, std::size_t offset) {
    return static_cast<std::uint16_t>(table.bytes.at(offset) | (table.bytes.at(offset + 1) << 8));
}

}  // namespace config
