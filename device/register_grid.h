#pragma once

// The text of the register dialog's grid: 16 lines of 16 cells, one byte per cell as two
// upper-case hexadecimal digits, cells parted by a blank, lines by a line feed.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace device {

inline constexpr std::size_t kGridRows = 16;
inline constexpr std::size_t kGridColumns = 16;
inline constexpr std::size_t kGridCells = kGridRows * kGridColumns;
// 16 lines of 47 characters and the 15 line feeds between them.
inline constexpr std::size_t kGridTextLength = 767;

// The grid with bytes[i] in cell i; cells past the bytes stay blank. Bytes beyond the 256 cells
// have no place in the grid and are not shown.
std::string RegisterGridText(std::span<const std::uint8_t> bytes);

}  // namespace device
