// What the comparison tests share: the inputs of a run and its checked
// record, and the cells of the comparison tables by the report's keys.
#pragma once

#include <QAbstractItemModel>
#include <QVariant>
#include <array>
#include <string>
#include <string_view>

#include "common/test_inputs.h"
#include "engine/simulation_parameters.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui::testing {

// The inputs of a run (by default 250 days at 4.60 and 2.20, Yesterday's
// Demand, the bell-shaped frequencies).
using nv::test::runInputs;

// The record the run's checks build from inputs they accept.
inline SimulationParameters checkedRun(const RunInputs &inputs) {
    auto checked = checkRun(inputs);
    if (!checked) {
        qFatal("the run's checks refused the inputs");
    }
    return *checked;
}

// The cell of a table that shows the item of a section in a group's column.
inline QVariant cellValue(const QAbstractItemModel &model, std::string_view section,
                          std::string_view item, std::string_view group,
                          int role = ReportTableModel::kValueRole) {
    const auto *table = qobject_cast<const ReportTableModel *>(&model);
    const int row = table != nullptr ? table->row(section, item) : -1;
    const int column = table != nullptr ? table->column(group) : -1;
    if (row < 0 || column < 0) {
        qFatal("the table shows no %s/%s in a column %s", std::string(section).c_str(),
               std::string(item).c_str(), std::string(group).c_str());
    }
    return model.index(row, column).data(role);
}

}  // namespace nv::ui::testing
