// What the parameter-window tests share: a shown frmMain after its load
// handler, wired to the other windows as the application wires it, with its
// messages recorded and its beeps counted, and access to its controls by
// objectName, as an assistive tool finds them.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "app/application_windows.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/memory_grid.h"

namespace nv::ui::testing {

inline const char *const kBoxNames[] = {"txt35", "txt45", "txt55", "txt65", "txt75"};

class ShownWindow {
public:
    // Creates frmMain; unless told otherwise, runs Form_Load, shows it and
    // waits until it is the active window.
    explicit ShownWindow(bool load = true) : m_windows(std::make_unique<ApplicationWindows>()) {
        FrmMain &main = window();
        main.setMessageSink(&m_messages);
        main.setBeep([this] { ++m_beeps; });
        if (load) {
            main.Form_Load();
            main.show();
            m_active = QTest::qWaitForWindowActive(&main);
        }
    }
    ShownWindow(const ShownWindow &) = delete;
    ShownWindow &operator=(const ShownWindow &) = delete;

    [[nodiscard]] ApplicationWindows &windows() { return *m_windows; }
    [[nodiscard]] FrmMain &window() { return m_windows->frmMain(); }
    // The results window (created, hidden, if the load handler has not yet).
    [[nodiscard]] FrmResults &results() { return m_windows->frmResults(); }
    [[nodiscard]] bool active() const { return m_active; }
    [[nodiscard]] int beeps() const { return m_beeps; }
    [[nodiscard]] const std::vector<std::string> &messages() const { return m_messages.messages(); }

    template <class T>
    [[nodiscard]] T *control(const char *name) {
        return window().findChild<T *>(QString::fromLatin1(name));
    }
    [[nodiscard]] QPlainTextEdit *box(int index) {
        return control<QPlainTextEdit>(kBoxNames[index]);
    }
    [[nodiscard]] QLabel *total() { return control<QLabel>("lblTotal"); }

    // Gives a box the focus with a mouse click and types into it.
    void typeInto(int index, const QString &text) {
        QPlainTextEdit *edit = box(index);
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::keyClicks(edit, text);
    }
    // Types the five texts into the five boxes, moving on with Tab, so every
    // box but the last one has stored its value.
    void typeFrequencies(const QStringList &texts) {
        for (int i = 0; i < texts.size(); ++i) {
            if (i == 0) {
                typeInto(0, texts[0]);
            } else {
                QTest::keyClicks(box(i), texts[i]);
            }
            if (i + 1 < texts.size()) {
                QTest::keyClick(box(i), Qt::Key_Tab);
            }
        }
    }
    // A real mouse click on a command button.
    void click(const char *button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

private:
    std::unique_ptr<ApplicationWindows> m_windows;
    RecordingMessages m_messages;
    int m_beeps = 0;
    bool m_active = false;
};

}  // namespace nv::ui::testing
