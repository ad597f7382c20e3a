#include "ui/parameters/frequency_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextDocument>
#include <QTextOption>

namespace nv::ui {

namespace {
constexpr short kBackspaceCode = 8;
constexpr short kEnterCode = 13;
constexpr short kEscapeCode = 27;
constexpr short kUnrepresentableCode = '?';
// Just enough room around the one line that a 19-pixel box shows.
constexpr qreal kDocumentMargin = 1;
}  // namespace

std::optional<short> typedCharacterCode(int key, Qt::KeyboardModifiers modifiers,
                                        const QString &text) {
    switch (key) {
        case Qt::Key_Backspace:
            return kBackspaceCode;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnterCode;
        case Qt::Key_Escape:
            return kEscapeCode;
        default:
            break;
    }
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (control && !alt && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<short>(key - Qt::Key_A + 1);
    }
    // Qt's special keys (Tab, Delete, Insert, arrows, Home, End, F-keys, the
    // modifiers themselves) start at Key_Escape; they type nothing, whatever
    // text a platform attaches to them. A key the platform could not name
    // types its text.
    if (key >= Qt::Key_Escape && key != Qt::Key_unknown) {
        return std::nullopt;
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    if (text.size() > 1) {
        return kUnrepresentableCode;
    }
    // The 16-bit code, read as signed: units from U+8000 up are negative.
    return static_cast<short>(text.at(0).unicode());
}

FrequencyBox::FrequencyBox(QWidget *parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(kDocumentMargin);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    document()->setDefaultTextOption(option);
    // Characters come as key presses only, so every one passes the filter
    // (an input method would commit text without a key press).
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void FrequencyBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // Plain Tab and Shift+Tab have moved the focus before this point; with
        // other modifiers a tab still never goes into the box.
        event->ignore();
        return;
    }
    const std::optional<short> code =
        typedCharacterCode(event->key(), event->modifiers(), event->text());
    if (!code) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    short keyAscii = *code;
    emit keyPress(keyAscii);
    if (keyAscii == 0) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void FrequencyBox::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    emit lostFocus();
}

}  // namespace nv::ui
