// The two small dialogs of frmMain's scenario commands.
//
// ScenarioSaveDialog ("Save Scenario", dlgSaveScenario) asks what a saved
// scenario holds besides the window's values: a title (txtTitle), notes
// (txtNotes) and, when "Include a seed" (chkSeed) is ticked, a seed
// (txtSeed, a whole number from 0 to 18446744073709551615; "New Seed",
// cmdNewSeed, draws one). "Save" is enabled only while the seed, if
// included, is valid; Esc or "Cancel" gives nothing.
//
//     if (auto details = nv::ui::ScenarioSaveDialog::ask(this, initial)) write(*details);
//
// ScenarioNotesDialog ("Scenario", dlgScenario) shows an opened scenario's
// title as its heading (lblScenarioTitle) and its notes below
// (txtScenarioNotes, read-only, scrolling). It does not block the window
// that opened it; "Close" or Esc hides it.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace nv::ui {

// What the save dialog asks for. The seed is kept even when not included, so
// that ticking the box again brings it back.
struct ScenarioDetails {
    QString title;
    QString notes;
    bool includeSeed = false;
    std::uint64_t seed = 0;
};

class ScenarioSaveDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ScenarioSaveDialog(const ScenarioDetails &initial, QWidget *parent = nullptr);

    // The details as the dialog holds them; a seed that is not valid counts
    // as not included.
    [[nodiscard]] ScenarioDetails details() const;
    // Draws a new seed into txtSeed and ticks "Include a seed".
    void cmdNewSeed_Click();

    // Shows the dialog modally: the details, or nullopt when cancelled.
    [[nodiscard]] static std::optional<ScenarioDetails> ask(QWidget *parent,
                                                            const ScenarioDetails &initial);

private:
    [[nodiscard]] std::optional<std::uint64_t> typedSeed() const;
    void updateSeedState();

    QLineEdit *m_txtTitle = nullptr;
    QPlainTextEdit *m_txtNotes = nullptr;
    QCheckBox *m_chkSeed = nullptr;
    QLineEdit *m_txtSeed = nullptr;
    QPushButton *m_cmdNewSeed = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

class ScenarioNotesDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ScenarioNotesDialog(QWidget *parent = nullptr);

    // Shows `heading` and `notes` (no notes: the heading alone), raised.
    void showScenario(const QString &heading, const QString &notes);

    [[nodiscard]] QLabel &heading() noexcept { return *m_lblTitle; }
    [[nodiscard]] QPlainTextEdit &notes() noexcept { return *m_txtNotes; }

private:
    QLabel *m_lblTitle = nullptr;
    QPlainTextEdit *m_txtNotes = nullptr;
};

}  // namespace nv::ui
