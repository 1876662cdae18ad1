#pragma once

// The register dialog's grid on screen: a sunken area that shows the 16 lines of the grid text
// in a fixed-pitch font, so that each cell stands under its column number and beside its row
// number. The two header labels take the same font and are moved onto the grid's cells.
// For screen readers the grid has a name of its own and its text as its description.

#include <QLabel>

namespace ui {

// `columnHeader` and `rowHeader` may be null (nothing to line up then).
void SetUpRegisterGrid(QLabel& grid, QLabel* columnHeader, QLabel* rowHeader);

// Shows `text` in the grid and hands it to screen readers, which are told of the change.
void ShowRegisterGrid(QLabel& grid, const QString& text);

}  // namespace ui
