// The pasted-text dialog: Tab leaves the box, a refusal keeps the text.
#include "ui/analysis/worksheet_text_dialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "ui/analysis/page_widgets.h"

namespace nv::ui {

WorksheetTextDialog::WorksheetTextDialog(QWidget *parent, const QString &title,
                                         const QString &prompt, TextCheck check)
    : QDialog(parent), m_check(std::move(check)) {
    setObjectName(QStringLiteral("dlgPastedText"));
    setWindowTitle(title);
    setAccessibleName(title);

    QString name = prompt;
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    m_txtPasted = named(new QPlainTextEdit(this), "txtPasted", name);
    m_txtPasted->setTabChangesFocus(true);
    m_txtPasted->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtPasted->installEventFilter(this);
    m_lblRefusal = wrappingLabel(this, "lblRefusal", tr("Why the text is not taken"));
    m_lblRefusal->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_cmdOk = named(buttons->button(QDialogButtonBox::Ok), "cmdOk", tr("OK"));
    m_cmdCancel = named(buttons->button(QDialogButtonBox::Cancel), "cmdCancel", tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &WorksheetTextDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WorksheetTextDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *label =
        new QLabel(prompt.contains(QLatin1Char('&')) ? prompt : QLatin1Char('&') + prompt, this);
    label->setBuddy(m_txtPasted);
    layout->addWidget(label);
    layout->addWidget(m_txtPasted, 1);
    layout->addWidget(m_lblRefusal);
    layout->addWidget(buttons);
    resize(480, 360);
}

std::optional<QString> WorksheetTextDialog::ask(QWidget *parent, const QString &title,
                                                const QString &prompt, TextCheck check) {
    WorksheetTextDialog dialog(parent, title, prompt, std::move(check));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.text();
}

QString WorksheetTextDialog::text() const {
    return m_txtPasted->toPlainText();
}

void WorksheetTextDialog::accept() {
    if (m_check) {
        if (const std::optional<TextRefusal> refusal = m_check(text())) {
            showRefusal(*refusal);
            return;
        }
    }
    QDialog::accept();
}

void WorksheetTextDialog::showRefusal(const TextRefusal &refusal) {
    m_lblRefusal->setText(refusal.message);
    m_lblRefusal->show();
    m_txtPasted->setAccessibleDescription(refusal.message);
    const QTextBlock block = m_txtPasted->document()->findBlockByNumber(refusal.line - 1);
    if (refusal.line > 0 && block.isValid()) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        m_txtPasted->setTextCursor(cursor);
    }
    m_txtPasted->setFocus(Qt::OtherFocusReason);
}

bool WorksheetTextDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_txtPasted && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            m_txtPasted->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace nv::ui
