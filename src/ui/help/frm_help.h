// frmHelp, "Newsvendor Simulation User Guide": the offline guide, shipped in
// the program as a resource (qrc:/help/user_guide.html), in a browser
// (txtGuide) that follows the guide's own links and keeps a history
// (Alt+Left, Alt+Right). Esc or the frame's close button hides the window;
// closing it never ends the application.
//
// It fits the screen it opens on (screen_fit.h) and comes up at the guide's
// start, raised and active, each time it is shown.
//
//     nv::ui::FrmHelp help;
//     help.showGuide(&frmMain);   // on the screen of frmMain
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace nv::ui {

class FrmHelp final : public QWidget {
    Q_OBJECT

public:
    // Where the guide is.
    static const QUrl &guideUrl();

    explicit FrmHelp(QWidget *parent = nullptr);

    [[nodiscard]] QTextBrowser &txtGuide() noexcept { return *m_txtGuide; }

    // Shows the guide at its start; on the screen of `anchor` when given.
    void showGuide(const QWidget *anchor);

private:
    QTextBrowser *m_txtGuide = nullptr;
    bool m_placed = false;
};

}  // namespace nv::ui
