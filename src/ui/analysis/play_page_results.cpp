// The Play page's results: saving the debrief as json or csv, and opening a
// saved json again (replayed, never taken on trust).
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

#include "engine/analysis/game_report.h"
#include "io/report_csv.h"
#include "io/report_json.h"
#include "io/results_file.h"
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
        setStatus(tr("Results saved to %1").arg(QDir::toNativeSeparators(*saved)));
    }
}

void PlayPage::cmdOpenResults_Click() {
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
    m_parameters = saved->parameters;
    m_policy = saved->checkedPolicy;
    m_seed = saved->seed;
    m_orders = saved->orders;
    m_demands = saved->demands;
    m_lblParameters->setText(parametersText(*m_parameters));
    showDebrief();
    setStatus(tr("The results of %1, replayed from seed %2.")
                  .arg(QFileInfo(path).fileName())
                  .arg(m_seed));
}

}  // namespace nv::ui
