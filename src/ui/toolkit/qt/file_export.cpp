// Saving a file the user chose.
#include "ui/toolkit/qt/file_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace nv::ui {

QString askSaveFileName(QWidget *parent, const QString &caption, const QString &proposedPath,
                        const QString &filter) {
    return QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
}

QString askOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                        const QString &filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString withDefaultSuffix(const QString &path, const QString &suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

namespace {

// Opens `file`, lets `write` fill it, commits; the reason of the first failure.
template <typename Write>
std::optional<QString> saveThrough(QSaveFile &file, Write write) {
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (std::optional<QString> failed = write(file)) {
        file.cancelWriting();
        return failed;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    return saveThrough(file, [&bytes](QSaveFile &out) -> std::optional<QString> {
        if (out.write(bytes) != bytes.size()) {
            return out.errorString();
        }
        return std::nullopt;
    });
}

std::optional<QString> writePngFile(const QString &path, const QImage &image) {
    if (image.isNull()) {
        return QCoreApplication::translate("nv::ui", "There is no picture to save.");
    }
    QSaveFile file(path);
    return saveThrough(file, [&image](QSaveFile &out) -> std::optional<QString> {
        QImageWriter writer(&out, "png");
        if (!writer.write(image)) {
            return writer.errorString();
        }
        return std::nullopt;
    });
}

QString saveFailedMessage(const QString &path, const QString &reason) {
    return QCoreApplication::translate("nv::ui", "The file could not be saved.\n\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

std::optional<QString> saveToChosenFile(QWidget *parent, const SaveFileChooser &choose,
                                        const ErrorReporter &report, const SaveRequest &request,
                                        const FileWriter &write) {
    const QString chosen = choose(parent, request.caption,
                                  QDir::home().filePath(request.proposedName), request.filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    const QString path = withDefaultSuffix(chosen, request.suffix);
    if (const std::optional<QString> reason = write(path)) {
        report(saveFailedMessage(path, *reason));
        return std::nullopt;
    }
    return path;
}

}  // namespace nv::ui
