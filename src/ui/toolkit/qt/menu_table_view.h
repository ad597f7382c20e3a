// What the program's tables share: they are read-only, their cells can be
// selected (several at once), Tab leaves them, a cell's text stays on one
// line and they scroll sideways by the pixel; Ctrl+C copies the selection,
// and a context menu is asked for by a right click and from the keyboard (the Menu key,
// which the platform turns into a keyboard context-menu event, and
// Shift+F10). From the keyboard the menu opens at the bottom centre of the
// current cell, kept inside the viewport, or at the viewport's top-left
// corner when no cell is current or the current one is scrolled out of view.
// A table says what copying means and which menu opens.
//
//     class Grid final : public nv::ui::MenuTableView {
//         void copySelection() override { clipboard->setText(...); }
//     protected:
//         void openContextMenu(const QPoint &globalPos) override { menu.exec(globalPos); }
//     };
#pragma once

#include <QPoint>
#include <QTableView>

namespace nv::ui {

class MenuTableView : public QTableView {
    Q_OBJECT

public:
    explicit MenuTableView(QWidget *parent = nullptr);

    // Puts the selection on the clipboard (nothing when nothing is selected).
    virtual void copySelection() = 0;
    // Where a context menu asked for from the keyboard opens, in screen
    // coordinates.
    [[nodiscard]] QPoint keyboardMenuPosition() const;

protected:
    // A context menu is wanted at `globalPos` (screen coordinates).
    virtual void openContextMenu(const QPoint &globalPos) = 0;

    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace nv::ui
