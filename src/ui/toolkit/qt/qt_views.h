// The Qt 6 Widgets binding of the view operations for the parameter window's
// controls, the pointer, the message box and text measuring.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <string_view>

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/views.h"

class QProgressBar;
class QPushButton;
class QWidget;

namespace nv::ui {

// The application's title: the caption of every message box.
inline constexpr const char *kApplicationTitle = "Newsvendor Simulation";

// pgbRun. The value is kept as given; the bar shows it rounded to the nearest
// whole number within 0..100 (NaN shows 0). When the shown number changes the
// bar is repainted at once, because a run does not return to the event loop
// until it ends; nothing else is painted and no events are processed.
//
//     QtProgressBar progress(*bar);
//     progress.setValue(40.4f);   // bar->value() == 40, painted now
class QtProgressBar final : public ProgressBar {
public:
    // A run does not return to the event loop, so the bar is repainted at
    // once when the number it shows changes: at most once per
    // minRepaintIntervalMs (0: every change), and always when it reaches 100.
    // Skipped steps are painted by the next repaint or the event loop.
    static constexpr int kDefaultRepaintIntervalMs = 16;
    explicit QtProgressBar(QProgressBar &bar, int minRepaintIntervalMs = kDefaultRepaintIntervalMs)
        : m_bar(bar), m_minRepaintIntervalMs(minRepaintIntervalMs) {}
    void setValue(float value) override;
    [[nodiscard]] float value() const { return m_value; }
    // The whole number the bar shows for a value.
    [[nodiscard]] static int shownValue(float value) noexcept;

private:
    QProgressBar &m_bar;
    int m_minRepaintIntervalMs;
    QElapsedTimer m_sinceRepaint;
    float m_value = 0;
};

class QtCommandButton final : public CommandButton {
public:
    explicit QtCommandButton(QPushButton &button) : m_button(button) {}
    void setEnabled(bool enabled) override;

private:
    QPushButton &m_button;
};

// The application-wide busy pointer, as an override cursor that this object
// owns: setBusy pushes the wait cursor once (a second call does nothing),
// setDefault pops it only if this object pushed it, and the destructor pops
// it if it is still pushed. So a run can neither leave the pointer busy nor
// restore a cursor that someone else set.
//
//     {
//         QtBusyPointer pointer;
//         pointer.setBusy();      // QApplication::overrideCursor() is the wait cursor
//     }                           // back to the previous cursor here at the latest
class QtBusyPointer final : public BusyPointer {
public:
    QtBusyPointer() = default;
    ~QtBusyPointer() override;
    QtBusyPointer(const QtBusyPointer &) = delete;
    QtBusyPointer &operator=(const QtBusyPointer &) = delete;

    void setBusy() override;
    void setDefault() override;
    [[nodiscard]] bool busy() const { return m_busy; }

private:
    bool m_busy = false;
};

// A modal QMessageBox with the information icon, one OK button, the text as
// plain text (never rich text) and kApplicationTitle as its caption.
class QtMessageSink final : public MessageSink {
public:
    explicit QtMessageSink(QWidget *parent = nullptr) : m_parent(parent) {}
    void showInformation(std::string_view text) override;

private:
    QWidget *m_parent;
};

// Width in twips (15 to a logical pixel) of a text in a widget's font.
class QtTextMeasurer final : public TextMeasurer {
public:
    explicit QtTextMeasurer(const QWidget &widget) : m_widget(widget) {}
    [[nodiscard]] double textWidthTwips(std::string_view text) const override;

private:
    const QWidget &m_widget;
};

}  // namespace nv::ui
