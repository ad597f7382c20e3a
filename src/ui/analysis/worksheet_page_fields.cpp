// The Worksheet page's days and seed: applied by Enter or by leaving the
// field, refused beside the fields when the sheet cannot take them.
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <charconv>
#include <limits>

#include "ui/analysis/worksheet_page.h"

namespace nv::ui {

namespace {

bool isEnter(const QEvent *event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

void WorksheetPage::connectFields() {
    connect(m_spnDays, &QSpinBox::valueChanged, this, [this] {
        clearFieldRefusal();
        rebuild();
    });
    connect(m_spnDays, &WorksheetDaysBox::refused, this, &WorksheetPage::refuseDays);
    m_txtSeed->installEventFilter(this);
}

bool WorksheetPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_txtSeed) {
        if (isEnter(event)) {
            applySeed(false);
            return true;  // Enter applies the seed and presses nothing
        }
        // Leaving for the field's own menu is not leaving it.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason &&
            m_txtSeed->text() != appliedSeedText()) {
            applySeed(true);
        }
    }
    return AnalysisPage::eventFilter(watched, event);
}

std::optional<std::uint64_t> WorksheetPage::typedSeed() const {
    const QByteArray text = m_txtSeed->text().trimmed().toLatin1();
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.cbegin(), text.cend(), value);
    if (text.isEmpty() || error != std::errc{} || end != text.cend()) {
        return std::nullopt;
    }
    return value;
}

QString WorksheetPage::appliedSeedText() const {
    return m_pasted ? QString() : QString::number(m_seed);
}

void WorksheetPage::applySeed(bool leaving) {
    const std::optional<std::uint64_t> typed = typedSeed();
    if (!typed) {
        QString message = tr("The seed must be a whole number from 0 to %1")
                              .arg(std::numeric_limits<std::uint64_t>::max());
        if (m_sheet) {
            message = m_pasted ? tr("%1; the sheet keeps its pasted numbers").arg(message)
                               : tr("%1; the sheet keeps seed %2").arg(message).arg(m_seed);
        }
        refuseField(m_txtSeed, message);
        if (leaving) {
            m_txtSeed->setText(appliedSeedText());
        } else {
            m_txtSeed->selectAll();
        }
        return;
    }
    clearFieldRefusal();
    m_txtSeed->setText(QString::number(*typed));
    if (m_pasted || *typed != m_seed || !m_sheet) {
        m_seed = *typed;
        m_pasted.reset();
        rebuild();
    }
}

void WorksheetPage::refuseDays(qlonglong typed) {
    const QLocale locale;
    refuseField(m_spnDays, tr("The sheet has from %1 to %2 days; %3 is not taken")
                               .arg(locale.toString(m_spnDays->minimum()),
                                    locale.toString(m_spnDays->maximum()), locale.toString(typed)));
}

void WorksheetPage::refuseField(QWidget *field, const QString &message) {
    clearFieldRefusal();
    m_lblFieldRefusal->setText(message);
    m_lblFieldRefusal->show();
    // Heard from the field too, while the focus is still there.
    field->setProperty("nvDescription", field->accessibleDescription());
    field->setAccessibleDescription(message);
}

void WorksheetPage::clearFieldRefusal() {
    m_lblFieldRefusal->clear();
    m_lblFieldRefusal->hide();
    for (QWidget *field : {static_cast<QWidget *>(m_spnDays), static_cast<QWidget *>(m_txtSeed)}) {
        const QVariant description = field->property("nvDescription");
        if (description.isValid()) {
            field->setAccessibleDescription(description.toString());
            field->setProperty("nvDescription", QVariant());
        }
    }
}

}  // namespace nv::ui
