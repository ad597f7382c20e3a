// Saving a file the user chose: the CSV of the results grid, the PNG of the
// comparison charts.
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
// without a modal dialog.
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

// The default chooser: QFileDialog::getSaveFileName (asks before replacing).
[[nodiscard]] QString askSaveFileName(QWidget *parent, const QString &caption,
                                      const QString &proposedPath, const QString &filter);

// `path` with ".suffix" appended when its file name has no suffix of its own.
[[nodiscard]] QString withDefaultSuffix(const QString &path, const QString &suffix);

// nullopt on success, otherwise why the file could not be written.
[[nodiscard]] std::optional<QString> writeFileAtomically(const QString &path,
                                                         const QByteArray &bytes);
[[nodiscard]] std::optional<QString> writePngFile(const QString &path, const QImage &image);

// "The file could not be saved.\n\n<path>\n\n<reason>"
[[nodiscard]] QString saveFailedMessage(const QString &path, const QString &reason);

}  // namespace nv::ui
