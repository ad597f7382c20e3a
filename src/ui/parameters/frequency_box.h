// FrequencyBox: one of the five relative-frequency boxes (txt35 ... txt75), a
// multi-line edit that holds, in practice, one right-aligned line.
//
// Every typed character is offered to keyPress() before it is inserted, as a
// 16-bit character code; a handler that sets the code to 0 drops the
// character (nothing is inserted and the text does not change), one that
// leaves it lets the edit insert it. What counts as a typed character is
// typedCharacterCode(): printable characters, Backspace (8), Enter (13),
// Escape (27) and the Ctrl+letter control codes 1..26. Keys that type no
// character (arrows, Home, End, Delete, Insert, Shift+Insert, F-keys) edit or
// move as usual without reaching keyPress(); Tab and Shift+Tab move the focus
// and never insert anything. Edits that are not typed characters (paste from
// the context menu or with Shift+Insert, dropping text) bypass keyPress() and
// only show up as a text change.
//
// lostFocus() is emitted whenever the box loses the focus. When a command
// button is clicked with the mouse the button takes the focus on the press
// and clicks on the release, so lostFocus() always comes before the click.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <optional>

namespace nv::ui {

// The character code a key press types, or nullopt for a key that types no
// character. The code comes from the event's text when it holds one UTF-16
// unit; for Ctrl+letter (without Alt) it is the control code 1..26 whatever
// the text says, since platforms differ ("\x16", "v" or "" for Ctrl+V). A text
// of more than one unit (a character outside the 16-bit range) types '?'.
[[nodiscard]] std::optional<short> typedCharacterCode(int key, Qt::KeyboardModifiers modifiers,
                                                      const QString &text);

class FrequencyBox final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit FrequencyBox(QWidget *parent = nullptr);

    // The box's text, line feeds between lines.
    [[nodiscard]] QString text() const { return toPlainText(); }

signals:
    // A typed character, before it is inserted; set keyAscii to 0 to drop it.
    void keyPress(short &keyAscii);
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

}  // namespace nv::ui
