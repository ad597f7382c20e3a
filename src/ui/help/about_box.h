// Help > About Newsvendor Simulation: the program's name and version, what
// it does, its licence and the Qt it runs on, in a message box (dlgAbout).
//
//     nv::ui::showAboutBox(&frmMain);   // modal; returns when it is closed
#pragma once

#include <QString>

class QWidget;

namespace nv::ui {

// "Newsvendor Simulation 0.2.0" (the version from the build).
[[nodiscard]] QString aboutHeading();
// What the program does, its licence, and the Qt version it runs on and was
// built with, one per paragraph.
[[nodiscard]] QString aboutDetails();

void showAboutBox(QWidget *parent);

}  // namespace nv::ui
