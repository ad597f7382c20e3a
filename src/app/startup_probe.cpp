// A start-up probe: runs the application's real start-up, writes "shown" to
// its standard output as soon as frmMain is exposed on screen, then ends the
// application as a user would. The start-up benchmark times it from its
// parent; tests use it to check that the process really ends.
//
//     nv_startup_probe            ends through "Exit"
//     nv_startup_probe --frame    ends by closing frmMain through its frame
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>

#include "app/application_windows.h"
#include "app/startup.h"
#include "ui/parameters/frm_main.h"

namespace {

enum class Ending { Exit, Frame };

// Reports the first exposure of frmMain's window, then ends the application.
class ExposeWatch final : public QObject {
public:
    ExposeWatch(nv::ui::FrmMain &window, Ending ending)
        : QObject(&window), m_window(window), m_ending(ending) {}

    void start() {
        QWindow *handle = m_window.windowHandle();
        if (handle != nullptr && handle->isExposed()) {
            shown();
        } else if (handle != nullptr) {
            handle->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Expose && m_window.windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            shown();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void shown() {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        // Ends from the event loop, as a click would.
        QTimer::singleShot(0, &m_window, [this] {
            if (m_ending == Ending::Exit) {
                m_window.cmdExit_Click();
            } else {
                m_window.close();
            }
        });
    }

    nv::ui::FrmMain &m_window;
    Ending m_ending;
};

}  // namespace

int main(int argc, char *argv[]) {
    const Ending ending =
        argc > 1 && std::strcmp(argv[1], "--frame") == 0 ? Ending::Frame : Ending::Exit;
    // The probe's own argument is not the program's: the program gets none.
    int programArgc = 1;
    return nv::ui::runApplication(programArgc, argv, [ending](nv::ui::ApplicationWindows &windows) {
        (new ExposeWatch(windows.frmMain(), ending))->start();
    });
}
