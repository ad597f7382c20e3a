// Shows frmMain after its load handler, as the application starts it; for
// looking at the window (screenshots) without the application's own start-up.
#include <QApplication>

#include "ui/parameters/frm_main.h"
#include "ui/results/results_window.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    int status = 0;
    {
        nv::ui::FrmMain window;
        window.Form_Load();
        window.show();
        status = QApplication::exec();
    }
    nv::ui::destroyResultsWindow();
    return status;
}
