// What the program's tables share: copying and the context menu's keys.
#include "ui/toolkit/qt/menu_table_view.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <algorithm>

namespace nv::ui {

MenuTableView::MenuTableView(QWidget *parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

QPoint MenuTableView::keyboardMenuPosition() const {
    const QWidget &area = *viewport();
    const QModelIndex current = currentIndex();
    QRect cell = current.isValid() ? visualRect(current) : QRect();
    if (!cell.isValid() || !area.rect().intersects(cell)) {
        cell = QRect(0, 0, 1, 1);
    }
    const QPoint inside(std::min(cell.left() + cell.width() / 2, area.width() - 1),
                        std::min(cell.bottom(), area.height() - 1));
    return area.mapToGlobal(QPoint(std::max(0, inside.x()), std::max(0, inside.y())));
}

void MenuTableView::contextMenuEvent(QContextMenuEvent *event) {
    openContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                : keyboardMenuPosition());
    event->accept();
}

void MenuTableView::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        openContextMenu(keyboardMenuPosition());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace nv::ui
