#include "ui/register_grid_view.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

#include "device/register_grid.h"

namespace ui {

namespace {

constexpr int kSmallestPointSize = 5;
// A grid line: 16 cells of two digits and the 15 blanks between them.
const int kLineCharacters = static_cast<int>(3 * device::kGridColumns - 1);
const int kLines = static_cast<int>(device::kGridRows);
// Without a name of its own a label is named by its text: 16 lines of bytes read as a name.
const char* const kGridAccessibleName = "Register contents";

int LineWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QString(kLineCharacters, QLatin1Char('0')));
}

// The size a full grid's text takes in the font, laid out as a label lays it out.
QSize FullGridSize(const QFontMetrics& metrics) {
    const QString line(kLineCharacters, QLatin1Char('0'));
    QStringList lines;
    for (int row = 0; row < kLines; ++row) {
        lines << line;
    }
    return metrics.size(0, lines.join(QLatin1Char('\n')));
}

// The largest fixed-pitch font, at most the dialog's size, in which the 16 lines fit `room`.
QFont FittingFixedFont(int largestPointSize, QSize room) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    for (int size = std::max(largestPointSize, kSmallestPointSize); size > kSmallestPointSize;
         --size) {
        font.setPointSize(size);
        const QSize needed = FullGridSize(QFontMetrics(font));
        if (needed.width() <= room.width() && needed.height() <= room.height()) {
            return font;
        }
    }
    font.setPointSize(kSmallestPointSize);
    return font;
}

// Where the grid's first character is drawn, in its parent's coordinates.
QPoint TextOrigin(const QLabel& grid) {
    return grid.geometry().topLeft() + grid.contentsRect().topLeft();
}

// The column numbers, centred over exactly the width of a grid line, start where it starts.
void LineUpColumnHeader(QLabel& header, const QLabel& grid) {
    header.setFont(grid.font());
    header.setAlignment(Qt::AlignCenter);
    const QFontMetrics metrics(grid.font());
    const int height = std::max(header.height(), metrics.height());
    header.setGeometry(TextOrigin(grid).x(), header.geometry().bottom() + 1 - height,
                       LineWidth(metrics), height);
}

// The row numbers, one per line: the narrow label wraps after each number, and with the grid's
// font its lines fall beside the grid's lines.
void LineUpRowHeader(QLabel& header, const QLabel& grid) {
    header.setFont(grid.font());
    header.setWordWrap(true);
    header.setAlignment(Qt::AlignRight | Qt::AlignTop);
    const QFontMetrics metrics(grid.font());
    const int width = std::max(header.width(), metrics.horizontalAdvance(QStringLiteral("00")));
    const int right = header.geometry().right();
    header.setGeometry(right + 1 - width, TextOrigin(grid).y(), width,
                       grid.contentsRect().height());
}

}  // namespace

void SetUpRegisterGrid(QLabel& grid, QLabel* columnHeader, QLabel* rowHeader) {
    grid.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid.setMargin(0);
    grid.setIndent(0);
    grid.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid.setTextFormat(Qt::PlainText);
    grid.setTextInteractionFlags(Qt::NoTextInteraction);
    grid.setFont(FittingFixedFont(grid.font().pointSize(), grid.contentsRect().size()));
    if (columnHeader != nullptr) {
        LineUpColumnHeader(*columnHeader, grid);
    }
    if (rowHeader != nullptr) {
        LineUpRowHeader(*rowHeader, grid);
    }
    grid.setAccessibleName(QString::fromUtf8(kGridAccessibleName));
    grid.setAccessibleDescription(grid.text());
}

void ShowRegisterGrid(QLabel& grid, const QString& text) {
    grid.setText(text);
    // Qt tells screen readers of a new description, not of a named label's new text.
    grid.setAccessibleDescription(text);
}

}  // namespace ui
