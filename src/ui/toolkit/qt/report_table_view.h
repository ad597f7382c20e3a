// A read-only table of figures (a ReportTableModel, or any table model) that
// never cuts a number, as the analysis pages show their reports.
//
//   - Columns are as wide as their heading and cells need; width the view has
//     to spare is shared out evenly. A column made narrower than its text (the
//     user may drag its edge) elides its cells with "…", never clipping a
//     digit, and an elided cell's tool tip holds its full text (the model's
//     own tool tip when it gives one, which is fuller still).
//   - Every row is one line of the same height; the headings are never
//     highlighted, so a selected column's heading keeps the font it was sized
//     for. The view asks its layout for all its rows, and for the height of
//     a horizontal scroll bar under them while it is narrower than its
//     columns: it scrolls sideways (the row headings stay) down to the width
//     of its row headings and widest column, and no row is ever hidden. Put
//     it in a scroll area, which scrolls, rather than squeeze it further.
//   - Ctrl+C copies the selection as tab-separated text with its row and
//     column headings (table_text.h).
//   - The context menu (right click, the Menu key, Shift+F10): "Copy" and
//     "Save Table as CSV…", the whole table as RFC 4180 text (UTF-8, CRLF),
//     saved atomically; a failure is reported naming the file, a success
//     told by tableSaved.
//
//     auto *view = new nv::ui::ReportTableView(this);
//     view->setModel(model);
//     view->setCsvFileName(QStringLiteral("ordering-rules.csv"));
//     connect(view, &nv::ui::ReportTableView::tableSaved, this, &Page::showSaved);
#pragma once

#include <memory>
#include <string>

#include "ui/toolkit/qt/file_export.h"
#include "ui/toolkit/qt/menu_table_view.h"

class QMenu;

namespace nv::ui {

class ReportTableView final : public MenuTableView {
    Q_OBJECT

public:
    // Space above and below a row's line of text.
    static constexpr int kRowPadding = 4;

    explicit ReportTableView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // The file name "Save Table as CSV…" proposes, in the home folder.
    void setCsvFileName(const QString &name) { m_csvFileName = name; }
    // Seams for tests: the file dialog and the message box of a failed save.
    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setErrorReporter(ErrorReporter report) { m_reportError = std::move(report); }

    // What Ctrl+C puts on the clipboard; empty with nothing selected.
    [[nodiscard]] QString selectionText() const;
    void copySelection() override;
    // The whole table as "Save Table as CSV…" writes it.
    [[nodiscard]] std::string csvText() const;
    void saveCsv();

    // The context menu with its items enabled for the current state.
    [[nodiscard]] std::unique_ptr<QMenu> createMenu();
    // A cell's tool tip: the model's, or its display text when it is elided.
    [[nodiscard]] QString cellToolTip(const QModelIndex &index) const;
    // Whether a cell's text is wider than its column shows.
    [[nodiscard]] bool elided(const QModelIndex &index) const;
    // The width a column needs for its heading and every cell.
    [[nodiscard]] int naturalColumnWidth(int column) const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

signals:
    void tableSaved(const QString &path);

protected:
    void openContextMenu(const QPoint &globalPos) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void fitColumns();
    void contentChanged();
    void setRowHeight();

    bool m_scrollsSideways = false;
    QString m_csvFileName = QStringLiteral("table.csv");
    SaveFileChooser m_chooseFile;
    ErrorReporter m_reportError;
};

}  // namespace nv::ui
