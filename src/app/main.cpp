// Newsvendor Simulation: the desktop application.
#include "app/startup.h"

int main(int argc, char *argv[]) {
    return nv::ui::runApplication(argc, argv);
}
