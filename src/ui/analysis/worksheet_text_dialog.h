// The dialog the Worksheet page asks for a pasted text with (the teacher's
// random numbers, a student's sheet): a prompt, a box of many lines, a line
// for a refusal, OK and Cancel.
//
// Tab and Shift+Tab leave the box as they leave any field; Ctrl+Tab types a
// tab. A check, when given, looks at the text on OK: a refusal keeps the
// dialog and the text open, shows why beside the box (its text is what a
// screen reader reads, and the box's description while it stands) and puts
// the cursor on the line it names.
//
// Controls (objectName, accessibleName): txtPasted (the prompt without its
// "&"), lblRefusal (its text), cmdOk "OK", cmdCancel "Cancel".
//
//     auto text = nv::ui::WorksheetTextDialog::ask(page, tr("Paste Random Numbers"),
//                                                  tr("Random numbers, one per line:"), check);
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace nv::ui {

// Why a text is not taken, and the line (from 1) it is about; 0: none.
struct TextRefusal {
    QString message;
    int line = 0;
};

// Looks at a text: nullopt when it is taken.
using TextCheck = std::function<std::optional<TextRefusal>(const QString &text)>;

class WorksheetTextDialog final : public QDialog {
    Q_OBJECT

public:
    WorksheetTextDialog(QWidget *parent, const QString &title, const QString &prompt,
                        TextCheck check = {});

    // Shows the dialog until OK takes a text (returned) or it is cancelled
    // (nullopt).
    [[nodiscard]] static std::optional<QString> ask(QWidget *parent, const QString &title,
                                                    const QString &prompt, TextCheck check = {});

    [[nodiscard]] QString text() const;
    void accept() override;

    [[nodiscard]] QPlainTextEdit &txtPasted() noexcept { return *m_txtPasted; }
    [[nodiscard]] QLabel &lblRefusal() noexcept { return *m_lblRefusal; }
    [[nodiscard]] QPushButton &cmdOk() noexcept { return *m_cmdOk; }
    [[nodiscard]] QPushButton &cmdCancel() noexcept { return *m_cmdCancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRefusal(const TextRefusal &refusal);

    TextCheck m_check;
    QPlainTextEdit *m_txtPasted = nullptr;
    QLabel *m_lblRefusal = nullptr;
    QPushButton *m_cmdOk = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

}  // namespace nv::ui
