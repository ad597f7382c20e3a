// The Qt 6 Widgets binding of the view operations for the parameter window's
// controls, the pointer, the message box and text measuring.
#pragma once

#include <QString>
#include <string_view>

#include "ui/toolkit/views.h"

class QProgressBar;
class QPushButton;
class QWidget;

namespace nv::ui {

// The application's title: the caption of every message box.
inline constexpr const char *kApplicationTitle = "Newsvendor Simulation";

[[nodiscard]] inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class QtProgressBar final : public ProgressBar {
public:
    explicit QtProgressBar(QProgressBar &bar) : m_bar(bar) {}
    // Sets the bar and repaints it at once (a run does not return to the event loop).
    void setValue(float value) override;
    [[nodiscard]] float value() const { return m_value; }

private:
    QProgressBar &m_bar;
    float m_value = 0;
};

class QtCommandButton final : public CommandButton {
public:
    explicit QtCommandButton(QPushButton &button) : m_button(button) {}
    void setEnabled(bool enabled) override;

private:
    QPushButton &m_button;
};

// The application-wide override cursor.
class QtBusyPointer final : public BusyPointer {
public:
    void setBusy() override;
    void setDefault() override;
};

// QMessageBox::information with one OK button and kApplicationTitle.
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
