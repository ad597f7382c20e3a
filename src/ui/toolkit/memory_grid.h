// Windowless implementations of the view operations: a grid held in memory
// and recorders for the progress bar, a button, the pointer and messages. The
// headless runner writes into them, and tests read back what a run did.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/views.h"

namespace nv::ui {

class MemoryGrid final : public ResultsGrid {
public:
    static constexpr int kColumns = 6;
    using Row = std::array<std::string, kColumns>;

    // Starts with 2 rows and 6 columns, all cells empty. A negative row count
    // is taken as 0; a write to a cell outside the grid is dropped (and not
    // counted), and reading such a cell gives the empty text.
    MemoryGrid() : m_rows(2) {}

    void setRowCount(int rows) override;
    [[nodiscard]] int rowCount() const override { return static_cast<int>(m_rows.size()); }
    void setCurrentRow(int row) override { m_currentRow = row; }
    void setCurrentColumn(int column) override { m_currentColumn = column; }
    void setCurrentCellText(std::string_view text) override;
    void setCellText(int row, int column, std::string_view text) override;
    void setColumnWidthTwips(int column, int twips) override;
    void setFixedCellAlignment(int column, CellAlignment alignment) override;
    void setColumnAlignment(int column, CellAlignment alignment) override;

    [[nodiscard]] const std::string &cell(int row, int column) const;
    [[nodiscard]] const std::vector<Row> &rows() const { return m_rows; }
    [[nodiscard]] int currentRow() const { return m_currentRow; }
    [[nodiscard]] int currentColumn() const { return m_currentColumn; }
    // -1 where a width was never set (the grid's default).
    [[nodiscard]] int columnWidthTwips(int column) const;
    [[nodiscard]] bool fixedCellCentred(int column) const;
    [[nodiscard]] bool columnCentred(int column) const;
    // How many cell texts have been written (by either setter).
    [[nodiscard]] long writes() const { return m_writes; }

private:
    [[nodiscard]] static bool validColumn(int column) { return column >= 0 && column < kColumns; }
    std::vector<Row> m_rows;
    int m_currentRow = 0;
    int m_currentColumn = 0;
    std::array<int, kColumns> m_widths{-1, -1, -1, -1, -1, -1};
    std::array<bool, kColumns> m_fixedCentred{};
    std::array<bool, kColumns> m_centred{};
    long m_writes = 0;
};

class RecordingProgressBar final : public ProgressBar {
public:
    void setValue(float value) override {
        m_value = value;
        ++m_sets;
    }
    [[nodiscard]] float value() const { return m_value; }
    [[nodiscard]] long sets() const { return m_sets; }

private:
    float m_value = 0;
    long m_sets = 0;
};

class RecordingButton final : public CommandButton {
public:
    explicit RecordingButton(bool enabled = false) : m_enabled(enabled) {}
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    [[nodiscard]] bool enabled() const { return m_enabled; }

private:
    bool m_enabled;
};

class RecordingPointer final : public BusyPointer {
public:
    void setBusy() override {
        m_busy = true;
        ++m_busyCalls;
    }
    void setDefault() override { m_busy = false; }
    [[nodiscard]] bool busy() const { return m_busy; }
    [[nodiscard]] int busyCalls() const { return m_busyCalls; }

private:
    bool m_busy = false;
    int m_busyCalls = 0;
};

class RecordingMessages final : public MessageSink {
public:
    void showInformation(std::string_view text) override { m_messages.emplace_back(text); }
    [[nodiscard]] const std::vector<std::string> &messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

// Bundles the recorders into the RunViews a run writes to.
struct MemoryRunViews {
    MemoryGrid grid;
    RecordingProgressBar progress;
    RecordingButton showResults;
    RecordingPointer pointer;
    [[nodiscard]] RunViews views() { return RunViews{grid, progress, showResults, pointer}; }
};

}  // namespace nv::ui
