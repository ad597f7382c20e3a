// The results grid control: a QTableView over its own ResultsGridModel.
//
// The grid's row 0 is the horizontal header, which stays in view while the
// day rows scroll; there is no fixed column (the vertical header is hidden).
// Columns are kDefaultColumnWidthTwips wide until the model sets a width;
// widths in twips become pixels at 15 twips to a pixel. The grid draws in its
// own font (plain sans-serif, 8.25 pt, normal weight), ordinary cells in the
// palette's Base/Text colours, the header row in Button/ButtonText, the
// selection in Highlight/HighlightedText, the lines between cells light grey
// (192) and the area right of and below the last cell grey (128).
//
// The user may select cells, and Ctrl+C copies them as tab-separated text
// (copiedCellsText). Cells cannot be edited. Tab leaves the grid.
//
// A context menu is asked for (contextMenuWanted, with the screen position to
// open it at) by a right click in the grid's area and from the keyboard: the
// Menu key (which the platform turns into a keyboard context-menu event) and
// Shift+F10. From the keyboard the menu opens at the current cell, or at the
// grid's top-left corner when no cell is current. The owner builds the menu.
//
// Each new table (the model's row count set by a run) is shown from its
// top-left cell, with nothing selected.
//
// While the view is shown the model tells it about every cell write; while it
// is hidden writes only store their texts, and showing it paints the current
// texts.
#pragma once

#include <QColor>

#include "ui/toolkit/qt/menu_table_view.h"

#include "ui/toolkit/qt/results_grid_model.h"

namespace nv::ui {

class ResultsGridView final : public MenuTableView {
    Q_OBJECT

public:
    // 64 pixels: the widest header of columns 0 to 4, "Daily Profit", fits
    // with the header's margins. Beside the vertical scroll bar the six
    // columns are then a little wider than the grid, which scrolls sideways.
    static constexpr int kDefaultColumnWidthTwips = 960;
    static constexpr double kFontPointSize = 8.25;
    static inline const QColor kGridLineColour{192, 192, 192};
    static inline const QColor kEmptyAreaColour{128, 128, 128};

    explicit ResultsGridView(QWidget *parent = nullptr);

    [[nodiscard]] ResultsGridModel &gridModel() noexcept { return *m_model; }
    [[nodiscard]] const ResultsGridModel &gridModel() const noexcept { return *m_model; }

    // The plain sans-serif face at 8.25 points, weight 400.
    [[nodiscard]] static QFont gridFont();
    // What Ctrl+C puts on the clipboard for the current selection.
    [[nodiscard]] QString selectionText() const;
    // Puts selectionText() on the clipboard (nothing when nothing is selected).
    void copySelection() override;

signals:
    // A context menu is wanted at `globalPos` (screen coordinates).
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void openContextMenu(const QPoint &globalPos) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void applyColumnWidth(int column);
    void startNewTable();

    ResultsGridModel *m_model;
};

}  // namespace nv::ui
