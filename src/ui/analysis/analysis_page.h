// A page of the Analysis window: one analysis, under its tab.
//
// A page is a widget like any other; the window adds it as a tab, shows it
// when asked to, and tells it to stop its work when the window is hidden (Esc,
// the frame's close button, hide()) or destroyed, so no worker outlives what
// it reports to. Switching to another page leaves the work running. Before
// the user closes the window each page may ask to keep it open
// (confirmDiscardWork).
//
//     class QuantityPage final : public nv::ui::AnalysisPage {
//         QString title() const override { return tr("Order Quantity"); }
//         void stopWork() override { m_job->cancel(); m_job->wait(); }
//     };
//     frmAnalysis.addPage(new QuantityPage);
#pragma once

#include <QString>
#include <QWidget>
#include <initializer_list>

namespace nv::ui {

class ReportTableView;

class AnalysisPage : public QWidget {
    Q_OBJECT

public:
    explicit AnalysisPage(QWidget *parent = nullptr) : QWidget(parent) {}

    // The tab's text.
    [[nodiscard]] virtual QString title() const = 0;
    // Stops any work the page has running and waits for it to end.
    virtual void stopWork() = 0;
    // Asked before the window closes (Esc, the frame's close button): a page
    // with work the user would lose asks what to do. False keeps the window
    // open.
    virtual bool confirmDiscardWork() { return true; }

protected:
    // The page's status line.
    virtual void setStatus(const QString &text) = 0;
    // Tells in the status line where each of these tables was saved.
    void reportSavedTables(std::initializer_list<ReportTableView *> tables);
};

}  // namespace nv::ui
