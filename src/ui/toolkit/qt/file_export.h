// Saving a file the user chose: the CSV of the results grid and of the
// analysis tables, the PNG of the comparison charts, scenarios.
//
// Writes go through QSaveFile, so the target is replaced only once every byte
// has been written and flushed: a failed save leaves an existing file as it
// was and never a half-written one. A failure comes back as its reason, for a
// message that names the file:
//
//     if (auto reason = nv::ui::writeFileAtomically(path, bytes))
//         show(nv::ui::saveFailedMessage(path, *reason));
//
// The file dialog is a seam (SaveFileChooser), so tests choose the file
// without a modal dialog. saveToChosenFile is the whole command: ask, add the
// suffix, write, report a failure:
//
//     nv::ui::saveToChosenFile(this, m_chooseFile, m_reportError,
//                              {tr("Save as CSV"), "results.csv", tr("CSV files (*.csv)"), "csv"},
//                              [&](const QString &path) { return writeFileAtomically(path, bytes);
//                              });
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace nv::ui {

// Asks for the name of a file to save: (parent, caption, proposed path,
// filter) -> the chosen path, or an empty string when the user cancelled.
using SaveFileChooser = std::function<QString(QWidget *parent, const QString &caption,
                                              const QString &proposedPath, const QString &filter)>;

// Asks for the name of a file to open: (parent, caption, folder, filter) ->
// the chosen path, or an empty string when the user cancelled.
using OpenFileChooser = std::function<QString(QWidget *parent, const QString &caption,
                                              const QString &folder, const QString &filter)>;

// Shows the message of a failed save (a message box, or a test's recorder).
using ErrorReporter = std::function<void(const QString &message)>;

// Writes the file at `path`: nullopt on success, otherwise why it failed.
using FileWriter = std::function<std::optional<QString>(const QString &path)>;

// What a save command asks the user for.
struct SaveRequest {
    QString caption;       // the dialog's title: "Save Table as CSV"
    QString proposedName;  // proposed in the home folder: "ordering-rules.csv"
    QString filter;        // "CSV files (*.csv)"
    QString suffix;        // added to a chosen name without one: "csv"
};

// The default chooser: QFileDialog::getSaveFileName (asks before replacing).
[[nodiscard]] QString askSaveFileName(QWidget *parent, const QString &caption,
                                      const QString &proposedPath, const QString &filter);

// The default open chooser: QFileDialog::getOpenFileName.
[[nodiscard]] QString askOpenFileName(QWidget *parent, const QString &caption,
                                      const QString &folder, const QString &filter);

// `path` with ".suffix" appended when its file name has no suffix of its own.
[[nodiscard]] QString withDefaultSuffix(const QString &path, const QString &suffix);

// nullopt on success, otherwise why the file could not be written.
[[nodiscard]] std::optional<QString> writeFileAtomically(const QString &path,
                                                         const QByteArray &bytes);
[[nodiscard]] std::optional<QString> writePngFile(const QString &path, const QImage &image);

// "The file could not be saved.\n\n<path>\n\n<reason>"
[[nodiscard]] QString saveFailedMessage(const QString &path, const QString &reason);

// Asks for a file (choose), writes it (write) and reports a failure naming the
// file (report). The path written; nullopt when the user cancelled or the
// write failed.
std::optional<QString> saveToChosenFile(QWidget *parent, const SaveFileChooser &choose,
                                        const ErrorReporter &report, const SaveRequest &request,
                                        const FileWriter &write);

}  // namespace nv::ui
