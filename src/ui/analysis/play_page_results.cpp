// The Play page's results: saving the debrief as json or csv, opening a saved
// json again (replayed, never taken on trust), and the question before a game
// with days played or an unsaved debrief is lost.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>

#include "engine/analysis/game_report.h"
#include "io/report_csv.h"
#include "io/report_json.h"
#include "io/results_file.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/play_page.h"
#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

namespace {

// The json's format_version, as the runner writes it.
constexpr int kResultsFormatVersion = 1;

}  // namespace

std::string PlayPage::resultsText(bool json) const {
    if (!m_parameters || m_orders.empty()) {
        return {};
    }
    const Report report = debriefReport(*m_parameters, debrief(*m_parameters, m_orders, m_demands),
                                        {m_policy, m_seed});
    return json ? io::reportJson(report, kResultsFormatVersion) : io::reportCsv(report);
}

void PlayPage::cmdSaveResults_Click() {
    if (m_stage != Stage::Debrief) {
        return;
    }
    const std::optional<QString> saved = saveToChosenFile(
        this, m_chooseSave, m_reportError,
        {tr("Save Results"), QStringLiteral("game-%1.json").arg(m_seed),
         tr("JSON files (*.json);;CSV files (*.csv)"), QStringLiteral("json")},
        [this](const QString &path) {
            const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
            return writeFileAtomically(path, QByteArray::fromStdString(resultsText(!csv)));
        });
    if (saved) {
        m_debriefSaved = true;
        setStatus(tr("Results saved to %1").arg(QDir::toNativeSeparators(*saved)));
    }
}

void PlayPage::cmdOpenResults_Click() {
    // The game or debrief shown goes only once the file replays.
    if (!confirmDiscard(Next::OtherResults)) {
        return;
    }
    const QString path = m_chooseOpen(this, tr("Open Results"), QDir::homePath(),
                                      tr("Saved results (*.json);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_reportError(tr("The results file '%1' cannot be read: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxResultsBytes) + 1);
    const auto saved =
        readSavedGame(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!saved) {
        m_reportError(toQString(resultsFileMessage(shown, saved.error())));
        return;
    }
    m_game.reset();
    m_inputs.reset();  // the file's inputs, not the menu's: the menu starts afresh
    m_parameters = saved->parameters;
    m_policy = saved->checkedPolicy;
    m_seed = saved->seed;
    m_orders = saved->orders;
    m_demands = saved->demands;
    m_lblParameters->setText(parametersText(*m_parameters));
    showDebrief();
    m_debriefSaved = true;
    setStatus(tr("The results of %1, replayed from seed %2.")
                  .arg(QFileInfo(path).fileName())
                  .arg(m_seed));
}

PlayPage::DiscardChoice PlayPage::askInMessageBox(QWidget *parent, const QString &title,
                                                  const QString &text, bool offerSave) {
    using Choice = DiscardChoice;
    QMessageBox box(QMessageBox::Question, title, text,
                    offerSave ? QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel
                              : QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setObjectName(QStringLiteral("msgDiscard"));
    box.setAccessibleName(title);
    box.setAccessibleDescription(text);
    box.setDefaultButton(offerSave ? QMessageBox::Save : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Choice::Save;
        case QMessageBox::Discard:
            return Choice::Discard;
        default:
            return Choice::Cancel;
    }
}

bool PlayPage::confirmDiscard(Next next) {
    if (m_stage == Stage::Playing && m_game && m_game->daysPlayed() > 0) {
        const QString text = tr("A game is in progress: %1 of %2 days played. Discard it?")
                                 .arg(countText(m_game->daysPlayed()), countText(m_game->days()));
        return m_askDiscard(this, tr("Game in Progress"), text, false) == DiscardChoice::Discard;
    }
    if (m_stage != Stage::Debrief || m_debriefSaved) {
        return true;
    }
    const QString text =
        next == Next::AnotherGame
            ? tr("The debrief of this game is not saved. Save it before starting another game?")
        : next == Next::OtherResults
            ? tr("The debrief of this game is not saved. Save it before opening other results?")
            : tr("The debrief of this game is not saved. Save it before closing?");
    const DiscardChoice choice = m_askDiscard(this, tr("Unsaved Game"), text, true);
    if (choice == DiscardChoice::Save) {
        cmdSaveResults_Click();
        return m_debriefSaved;  // a cancelled or failed save discards nothing
    }
    return choice == DiscardChoice::Discard;
}

bool PlayPage::confirmDiscardWork() {
    const auto atStake = [this] {
        return (m_stage == Stage::Playing && m_game && m_game->daysPlayed() > 0) ||
               (m_stage == Stage::Debrief && !m_debriefSaved);
    };
    if (!atStake()) {
        return true;
    }
    if (!confirmDiscard(Next::Closing)) {
        return false;
    }
    if (atStake()) {  // discarded, not saved: it is gone
        backToStart();
        setStatus(tr("The game was discarded."));
    }
    return true;
}

}  // namespace nv::ui
