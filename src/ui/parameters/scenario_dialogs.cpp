// The save dialog and the notes dialog of the scenario commands.
#include "ui/parameters/scenario_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace nv::ui {

namespace {

template <class Widget>
Widget *named(Widget *widget, const char *name, const QString &accessibleName) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

}  // namespace

// ---- Save ------------------------------------------------------------------

ScenarioSaveDialog::ScenarioSaveDialog(const ScenarioDetails &initial, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgSaveScenario"));
    setWindowTitle(tr("Save Scenario"));
    setAccessibleName(tr("Save Scenario"));

    m_txtTitle = named(new QLineEdit(initial.title, this), "txtTitle", tr("Title"));
    m_txtNotes = named(new QPlainTextEdit(initial.notes, this), "txtNotes", tr("Notes"));
    m_txtNotes->setTabChangesFocus(true);
    m_chkSeed = named(new QCheckBox(tr("Include a &seed"), this), "chkSeed", tr("Include a seed"));
    m_chkSeed->setChecked(initial.includeSeed);
    m_txtSeed = named(new QLineEdit(QString::number(initial.seed), this), "txtSeed", tr("Seed"));
    // Up to 20 digits; the range is checked on every change.
    m_txtSeed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,20}")), this));
    m_txtSeed->setMinimumWidth(
        m_txtSeed->fontMetrics().horizontalAdvance(QStringLiteral("18446744073709551615")) + 16);
    m_cmdNewSeed = named(new QPushButton(tr("&New Seed"), this), "cmdNewSeed", tr("New Seed"));
    m_cmdNewSeed->setAutoDefault(false);
    auto *hint = named(new QLabel(tr("With a seed, the first run after opening the scenario "
                                     "draws the same demands on every computer."),
                                  this),
                       "lblSeedHint", tr("About the seed"));
    hint->setAccessibleDescription(hint->text());
    hint->setWordWrap(true);

    m_buttons = named(new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this),
                      "btnSaveScenario", tr("Save or cancel"));
    m_buttons->button(QDialogButtonBox::Save)->setObjectName(QStringLiteral("cmdSave"));
    m_buttons->button(QDialogButtonBox::Save)->setAccessibleName(tr("Save"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));

    auto *form = new QFormLayout;
    auto *titleLabel = new QLabel(tr("&Title:"), this);
    titleLabel->setBuddy(m_txtTitle);
    auto *notesLabel = new QLabel(tr("N&otes:"), this);
    notesLabel->setBuddy(m_txtNotes);
    form->addRow(titleLabel, m_txtTitle);
    form->addRow(notesLabel, m_txtNotes);
    auto *seedRow = new QHBoxLayout;
    seedRow->addWidget(m_chkSeed);
    seedRow->addWidget(m_txtSeed, 1);
    seedRow->addWidget(m_cmdNewSeed);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(seedRow);
    layout->addWidget(hint);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cmdNewSeed, &QPushButton::clicked, this, &ScenarioSaveDialog::cmdNewSeed_Click);
    connect(m_chkSeed, &QCheckBox::toggled, this, &ScenarioSaveDialog::updateSeedState);
    connect(m_txtSeed, &QLineEdit::textChanged, this, &ScenarioSaveDialog::updateSeedState);
    updateSeedState();
    resize(sizeHint().expandedTo(QSize(440, 300)));
}

std::optional<std::uint64_t> ScenarioSaveDialog::typedSeed() const {
    bool ok = false;
    const qulonglong seed = m_txtSeed->text().toULongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(seed);
}

void ScenarioSaveDialog::updateSeedState() {
    m_txtSeed->setEnabled(m_chkSeed->isChecked());
    m_buttons->button(QDialogButtonBox::Save)
        ->setEnabled(!m_chkSeed->isChecked() || typedSeed().has_value());
}

void ScenarioSaveDialog::cmdNewSeed_Click() {
    m_txtSeed->setText(QString::number(QRandomGenerator::system()->generate64()));
    m_chkSeed->setChecked(true);
}

ScenarioDetails ScenarioSaveDialog::details() const {
    ScenarioDetails details;
    details.title = m_txtTitle->text();
    details.notes = m_txtNotes->toPlainText();
    const std::optional<std::uint64_t> seed = typedSeed();
    details.includeSeed = m_chkSeed->isChecked() && seed.has_value();
    details.seed = seed.value_or(0);
    return details;
}

std::optional<ScenarioDetails> ScenarioSaveDialog::ask(QWidget *parent,
                                                       const ScenarioDetails &initial) {
    ScenarioSaveDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.details();
}

// ---- Notes -------------------------------------------------------------------

ScenarioNotesDialog::ScenarioNotesDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgScenario"));
    setWindowTitle(tr("Scenario"));
    setAccessibleName(tr("Scenario"));
    // Closing it never ends the application.
    setAttribute(Qt::WA_QuitOnClose, false);

    // No fixed name: a screen reader reads the title shown.
    m_lblTitle = new QLabel(this);
    m_lblTitle->setObjectName(QStringLiteral("lblScenarioTitle"));
    m_lblTitle->setAccessibleDescription(tr("Scenario title"));
    m_lblTitle->setTextFormat(Qt::PlainText);
    m_lblTitle->setWordWrap(true);
    QFont heading = m_lblTitle->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.25);
    m_lblTitle->setFont(heading);
    m_txtNotes = named(new QPlainTextEdit(this), "txtScenarioNotes", tr("Scenario notes"));
    m_txtNotes->setReadOnly(true);
    m_txtNotes->setTabChangesFocus(true);
    auto *buttons =
        named(new QDialogButtonBox(QDialogButtonBox::Close, this), "btnScenario", tr("Close"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitle);
    layout->addWidget(m_txtNotes, 1);
    layout->addWidget(buttons);
    resize(440, 300);
}

void ScenarioNotesDialog::showScenario(const QString &heading, const QString &notes) {
    m_lblTitle->setText(heading);
    m_txtNotes->setPlainText(notes);
    m_txtNotes->setVisible(!notes.isEmpty());
    adjustSize();
    resize(size().expandedTo(QSize(440, notes.isEmpty() ? 0 : 300)));
    show();
    raise();
    activateWindow();
}

}  // namespace nv::ui
