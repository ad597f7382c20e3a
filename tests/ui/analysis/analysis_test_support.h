// What the tests of the Analysis window share: the window shown at its
// Compare Rules page for a run, and starting a comparison there.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "compare_test_support.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/frm_analysis.h"

namespace nv::ui::testing {

// The Analysis window shown and active at its Compare Rules page for the
// checked record of a run of `inputs`; `->` and `*` reach the page.
class ShownAnalysis {
public:
    explicit ShownAnalysis(const RunInputs &inputs = runInputs())
        : m_window(std::make_unique<FrmAnalysis>()) {
        m_window->showComparison(checkedRun(inputs), nullptr);
        if (!QTest::qWaitForWindowActive(m_window.get())) {
            qWarning("frmAnalysis did not become active");
        }
    }
    ComparePage *operator->() { return &m_window->comparePage(); }
    ComparePage &operator*() { return m_window->comparePage(); }
    [[nodiscard]] FrmAnalysis &window() { return *m_window; }
    void reset() { m_window.reset(); }

private:
    std::unique_ptr<FrmAnalysis> m_window;
};

inline void startRun(ComparePage &page, int replications, const QString &seed) {
    page.spnReplications().setValue(replications);
    page.txtSeed().setText(seed);
    QTest::mouseClick(&page.cmdRunComparison(), Qt::LeftButton);
}

}  // namespace nv::ui::testing
