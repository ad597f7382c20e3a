// frmMain's scenario commands: File > Open Scenario… and File > Save
// Scenario…, and the window filled from a scenario or read as one.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QRandomGenerator>
#include <filesystem>
#include <utility>

#include "support/random_source.h"
#include "ui/parameters/frequency_box.h"
#include "ui/parameters/frm_main.h"
#include "ui/parameters/scenario_dialogs.h"
#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

namespace {

QString scenarioFilter() {
    return FrmMain::tr("Newsvendor scenarios (*.nvscenario);;All files (*)");
}

// The file system's name of a path the user chose.
std::filesystem::path nativePath(const QString &path) {
    return {QFile::encodeName(path).toStdString()};
}

// An empty text is left out of the file.
std::optional<std::string> unlessEmpty(const QString &text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text.toStdString();
}

}  // namespace

void FrmMain::setOpenFileChooser(OpenFileChooser chooser) {
    m_chooseOpenFile = std::move(chooser);
}

void FrmMain::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseSaveFile = std::move(chooser);
}

void FrmMain::setDetailsAsker(DetailsAsker asker) {
    m_askDetails = std::move(asker);
}

void FrmMain::setErrorReporter(ErrorReporter report) {
    m_reportError = std::move(report);
}

// ---- Open --------------------------------------------------------------------

void FrmMain::mnuOpen_Click() {
    const QString folder =
        m_scenarioPath.isEmpty() ? QDir::homePath() : QFileInfo(m_scenarioPath).absolutePath();
    const QString path = m_chooseOpenFile(this, tr("Open Scenario"), folder, scenarioFilter());
    if (!path.isEmpty()) {
        (void)openScenarioFile(path);
    }
}

bool FrmMain::openScenarioFile(const QString &path) {
    const QString fileName = QFileInfo(path).fileName();
    // The whole file is read and checked before anything in the window changes.
    const Result<Scenario, ScenarioError> scenario = readScenarioFile(nativePath(path));
    if (!scenario) {
        m_messages->showInformation(scenarioMessage(fileName.toStdString(), scenario.error()));
        return false;
    }
    applyScenario(*scenario);
    m_scenario = *scenario;
    m_scenarioPath = QFileInfo(path).absoluteFilePath();
    if (scenario->title || scenario->notes) {
        showScenarioNotes(*scenario, fileName);
    }
    emit scenarioOpened(*scenario);
    return true;
}

void FrmMain::setListText(QComboBox *list, const std::string &text) {
    const QString value = toQString(text);
    // An entry's text selects the entry, as picking it would.
    const int entry = list->findText(value, Qt::MatchExactly);
    if (entry >= 0) {
        list->setCurrentIndex(entry);
    }
    list->setEditText(value);
}

void FrmMain::applyScenario(const Scenario &scenario) {
    setListText(m_cboRuns, scenario.runs);
    setListText(m_cboPrice, scenario.price);
    setListText(m_cboCost, scenario.cost);
    // Each box as if typed and left: the new text runs its change handler
    // (lblTotal), then its lost-focus handler stores the value.
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        m_txt[cls]->setPlainText(toQString(scenario.frequencies[cls]));
        frequencyLostFocus(cls);
    }
    // A null policy selects neither option: both are cleared outside the
    // group's exclusivity, which would keep one checked.
    for (QRadioButton *option : {m_optYesterday, m_optAnnual}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    if (scenario.policy) {
        (*scenario.policy == OrderPolicy::Annual ? m_optAnnual : m_optYesterday)->setChecked(true);
    }
    if (scenario.seed) {
        applicationRandomSource().seed(*scenario.seed);
    }
}

void FrmMain::showScenarioNotes(const Scenario &scenario, const QString &fileName) {
    if (m_notes == nullptr) {
        m_notes = new ScenarioNotesDialog(this);
    }
    m_notes->showScenario(scenario.title ? toQString(*scenario.title) : fileName,
                          scenario.notes ? toQString(*scenario.notes) : QString());
}

// ---- Save --------------------------------------------------------------------

Scenario FrmMain::windowScenario() const {
    Scenario scenario;
    scenario.runs = m_cboRuns->currentText().toStdString();
    scenario.price = m_cboPrice->currentText().toStdString();
    scenario.cost = m_cboCost->currentText().toStdString();
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        scenario.frequencies[cls] = m_txt[cls]->text().toStdString();
    }
    if (m_optYesterday->isChecked()) {
        scenario.policy = OrderPolicy::Yesterday;
    } else if (m_optAnnual->isChecked()) {
        scenario.policy = OrderPolicy::Annual;
    }
    return scenario;
}

void FrmMain::mnuSave_Click() {
    // The dialog starts from the last scenario's title, notes and seed.
    ScenarioDetails initial;
    initial.seed = QRandomGenerator::system()->generate64();
    if (m_scenario) {
        initial.title = toQString(m_scenario->title.value_or(std::string()));
        initial.notes = toQString(m_scenario->notes.value_or(std::string()));
        initial.includeSeed = m_scenario->seed.has_value();
        initial.seed = m_scenario->seed.value_or(initial.seed);
    }
    const std::optional<ScenarioDetails> details = m_askDetails(this, initial);
    if (!details) {
        return;
    }

    Scenario scenario = windowScenario();
    scenario.title = unlessEmpty(details->title);
    scenario.notes = unlessEmpty(details->notes);
    if (details->includeSeed) {
        scenario.seed = details->seed;
    }
    if (m_scenario) {
        // What this window does not show is kept as the file had it.
        scenario.worksheetDays = m_scenario->worksheetDays;
        scenario.worksheetSeed = m_scenario->worksheetSeed;
    }
    if (m_scenarioExtras) {
        m_scenarioExtras(scenario);
    }
    const QByteArray bytes = QByteArray::fromStdString(scenarioJson(scenario));
    const QString proposed =
        m_scenarioPath.isEmpty() ? QStringLiteral("scenario.nvscenario") : m_scenarioPath;
    const std::optional<QString> path = saveToChosenFile(
        this, m_chooseSaveFile, m_reportError,
        {tr("Save Scenario"), proposed, scenarioFilter(), QStringLiteral("nvscenario")},
        [&bytes](const QString &target) { return writeFileAtomically(target, bytes); });
    if (!path) {
        return;
    }
    m_scenario = scenario;
    m_scenarioPath = QFileInfo(*path).absoluteFilePath();
    emit scenarioSaved(scenario);
}

}  // namespace nv::ui
