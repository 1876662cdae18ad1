#include "device/register_grid.h"

#include <algorithm>

namespace device {
namespace {

constexpr std::size_t kCellWidth = 3;  // two digits and the blank or line feed after them
constexpr std::size_t kLineWidth = kGridColumns * kCellWidth;

std::string BlankGrid() {
    std::string grid(kGridTextLength, ' ');
    for (std::size_t row = 0; row + 1 < kGridRows; ++row) {
        grid[row * kLineWidth + kLineWidth - 1] = '\n';
    }
    return grid;
}

}  // namespace

std::string RegisterGridText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string grid = BlankGrid();
    const std::size_t shown = std::min(bytes.size(), kGridCells);
    for (std::size_t i = 0; i < shown; ++i) {
        grid[kCellWidth * i] = kDigits[bytes[i] >> 4];
        grid[kCellWidth * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return grid;
}

}  // namespace device
