// Drives frmMain as a user would: typing into the frequency boxes, picking
// the order policy, typing the number of days, clicking the buttons. Shared
// by the start-up tests and the whole-session program.
#pragma once

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>

#include "ui/parameters/frm_main.h"

namespace session {

template <typename Control>
Control &control(nv::ui::FrmMain &window, const char *name) {
    auto *found = window.findChild<Control *>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("frmMain has no control %s", name);
    }
    return *found;
}

inline QPushButton &cmdRun(nv::ui::FrmMain &w) {
    return control<QPushButton>(w, "cmdRun");
}
inline QPushButton &cmdShow(nv::ui::FrmMain &w) {
    return control<QPushButton>(w, "cmdShow");
}
inline QPushButton &cmdExit(nv::ui::FrmMain &w) {
    return control<QPushButton>(w, "cmdExit");
}
inline QProgressBar &pgbRun(nv::ui::FrmMain &w) {
    return control<QProgressBar>(w, "pgbRun");
}

// Types the five frequencies (each into an empty box) and clicks "Yesterday's
// Demand", which takes the focus from the last box so that it stores its value.
inline void enterFrequenciesAndYesterday(nv::ui::FrmMain &window,
                                         const std::array<const char *, 5> &frequencies = {
                                             "0.1", "0.2", "0.4", "0.2", "0.1"}) {
    const std::array<const char *, 5> boxes = {"txt35", "txt45", "txt55", "txt65", "txt75"};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QWidget &box = control<QWidget>(window, boxes[i]);
        box.setFocus(Qt::TabFocusReason);
        QTest::keyClicks(&box, QString::fromLatin1(frequencies[i]));
    }
    QTest::mouseClick(&control<QRadioButton>(window, "optYesterday"), Qt::LeftButton);
}

// Types the number of days into the field of cboRuns.
inline void setDays(nv::ui::FrmMain &window, const QString &days) {
    control<QComboBox>(window, "cboRuns").setEditText(days);
}

inline void clickRun(nv::ui::FrmMain &window) {
    QTest::mouseClick(&cmdRun(window), Qt::LeftButton);
}

}  // namespace session
