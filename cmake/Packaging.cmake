# The Debian package, made by CPack from the install rules:
#
#     cmake --preset release && cmake --build --preset release
#     cpack --preset deb        # -> build/package/newsvendor-simulation_<version>_<arch>.deb
#
# (`scripts/dev package` does both.) Its dependencies come from the shared
# libraries the programs link (dpkg-shlibdeps, from dpkg-dev), plus the Qt SVG
# plugins, which are loaded at run time and so are not seen by that scan: they
# draw the window icon.
set(CPACK_PACKAGE_NAME ${NV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "The Newsvendor Simulation developers")
set(CPACK_PACKAGE_CONTACT ${NV_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulation of ordering a perishable item, day by day")
set(CPACK_PACKAGE_DESCRIPTION [[
Newsvendor Simulation simulates, day by day, the trade in one perishable
item: each day a quantity is ordered at a unit cost, a demand of 30 to 70
units is drawn from the relative frequencies given, as much of the order as
the demand allows is sold at the unit price, and the rest is lost.

The desktop program shows one result row per day and compares two ordering
rules, yesterday's demand and the mean daily demand, by their exact
expectations and by paired replications. The command-line runner
newsvendor-run does the same for reproducible and scripted runs.

For students and teachers of operations management and simulation.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Directories CPack creates itself (usr/, usr/share/, ...) get the usual modes.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
