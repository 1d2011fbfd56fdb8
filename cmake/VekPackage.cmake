# The Debian package: cpack -G DEB in the build folder. Its dependencies are worked out from the
# libraries the programs link (dpkg-shlibdeps); Qt's SVG icon engine and its platform plugins
# are loaded at run time, so they are named here.
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvel")
set(CPACK_PACKAGE_CONTACT "Tarvel maintainers <tarvel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and change the registers of the chips on a board")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvel compiles register descriptions (.vek) and shows every register with its address and value; it reads and writes them through driver libraries (JTAG, I2C, a PCI bridge chip) or in simulation, saves and loads register values (.vkg) and runs register macros and Basic scripts. The package holds the desktop program vek32, the command-line tool vek and the drivers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
include(CPack)
