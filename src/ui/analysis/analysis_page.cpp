#include "ui/analysis/analysis_page.h"

#include <QDir>

#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

void AnalysisPage::reportSavedTables(std::initializer_list<ReportTableView *> tables) {
    for (ReportTableView *table : tables) {
        connect(table, &ReportTableView::tableSaved, this, [this](const QString &path) {
            setStatus(tr("Table saved to %1").arg(QDir::toNativeSeparators(path)));
        });
    }
}

}  // namespace nv::ui
