// The view operations the engine and the windows' logic call. Pure C++: the
// Qt binding lives in ui/toolkit/qt, and tests use recording implementations,
// so the logic runs with or without windows.
#pragma once

#include <string_view>

namespace nv::ui {

// The grid's alignment code 4: centred both horizontally and vertically.
enum class CellAlignment { CenterCenter };

// The results grid: a scrolling grid of text cells with one fixed header row
// (row 0) and six columns. Rows and columns count from 0.
class ResultsGrid {
public:
    virtual ~ResultsGrid() = default;
    virtual void setRowCount(int rows) = 0;
    [[nodiscard]] virtual int rowCount() const = 0;
    // The grid's own current cell, independent of any user selection.
    virtual void setCurrentRow(int row) = 0;
    virtual void setCurrentColumn(int column) = 0;
    virtual void setCurrentCellText(std::string_view text) = 0;
    // Writes the cell at (row, column) without moving the current cell.
    virtual void setCellText(int row, int column, std::string_view text) = 0;
    virtual void setColumnWidthTwips(int column, int twips) = 0;
    virtual void setFixedCellAlignment(int column, CellAlignment alignment) = 0;
    virtual void setColumnAlignment(int column, CellAlignment alignment) = 0;
};

// pgbRun: range 0 to 100.
class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual void setValue(float value) = 0;
};

// A command button that can be enabled or disabled (cmdShow).
class CommandButton {
public:
    virtual ~CommandButton() = default;
    virtual void setEnabled(bool enabled) = 0;
};

// The mouse pointer of the whole application.
class BusyPointer {
public:
    virtual ~BusyPointer() = default;
    virtual void setBusy() = 0;
    virtual void setDefault() = 0;
};

// A message box with the information icon, one OK button and the
// application's title as caption; returns when dismissed.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showInformation(std::string_view text) = 0;
};

// Measures the width of a text, in twips, in a window's font.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    [[nodiscard]] virtual double textWidthTwips(std::string_view text) const = 0;
};

// Everything a run writes to.
struct RunViews {
    ResultsGrid &grid;
    ProgressBar &progress;
    CommandButton &showResults;
    BusyPointer &pointer;
};

}  // namespace nv::ui
