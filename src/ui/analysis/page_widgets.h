// The small widget makers every page of the Analysis window builds its
// controls with: a name for the tools and one for a screen reader on every
// control, labels that wrap, buddies for mnemonics, report tables.
//
//     m_lblStatus = wrappingLabel(this, "lblStatus", tr("Status"));
//     m_tblRules = named(reportView(this, m_rulesModel, QStringLiteral("rules.csv")),
//                        "tblRules", tr("Expected profit of each rule"));
#pragma once

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

// Gives the widget its objectName and accessibleName.
template <typename W>
W *named(W *widget, const char *objectName, const QString &accessibleName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

// A label whose text wraps and can be selected with the mouse. Its text is
// what a screen reader reads as its name, kept current by QLabel itself (it
// announces a changed name only while no fixed one is set); `caption` says
// what the text is, as the label's description.
inline QLabel *wrappingLabel(QWidget *parent, const char *objectName, const QString &caption) {
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAccessibleDescription(caption);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A label whose mnemonic moves the focus to `buddy`.
inline QLabel *buddyLabel(QWidget *parent, const QString &text, QWidget *buddy) {
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// A report table over `model`, saved as `csvName` by default.
inline ReportTableView *reportView(QWidget *parent, QAbstractItemModel *model,
                                   const QString &csvName, bool rowHeadings = true) {
    auto *view = new ReportTableView(parent);
    view->setModel(model);
    view->setCsvFileName(csvName);
    view->verticalHeader()->setVisible(rowHeadings);
    return view;
}

}  // namespace nv::ui
