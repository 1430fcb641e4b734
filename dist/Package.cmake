# The Debian package: "cpack -G DEB" in the build folder. Its dependencies
# come from the binaries (dpkg-shlibdeps), plus the platform plugins that Qt
# loads at run time to open a window.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora Actuation Systems")
set(CPACK_PACKAGE_CONTACT "Velmora Actuation Systems <service@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGE_DESCRIPTION "Velmora finds the controller on its USB serial port (or on a port given
with --port), shows the live setpoint, process value, error and oil level on a picture of the actuator
and in a trend chart, records them and measures travel times, edits the controller's parameters, and
calibrates its inputs and outputs. velmora-sim serves a simulated controller on a pseudo-terminal.")

include(CPack)
