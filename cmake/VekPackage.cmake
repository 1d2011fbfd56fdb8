# The Debian packages: cpack -G DEB in the build folder makes
#   tarvel        the programs, the drivers and the user documentation (component "runtime"),
#   tarvel-dev    the driver interface for drivers of one's own (component "dev"),
#   tarvel-dbgsym the programs' and drivers' debug information (.ddeb), split off the stripped
#                 binaries of tarvel by CPack and put right by VekDebugPackage.cmake; made by
#                 the builds that have debug information (Debug, RelWithDebInfo).
# tarvel's dependencies are worked out from the libraries the programs link (dpkg-shlibdeps);
# Qt's SVG icon engine and its platform plugins are loaded at run time, so they are named here.
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvel")
set(CPACK_PACKAGE_CONTACT "${VEK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME tarvel)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
# Only a build with debug information has any to split off: a Release build's dbgsym package
# would hold empty .debug files.
if(CMAKE_BUILD_TYPE MATCHES "^(Debug|RelWithDebInfo)$")
    set(VEK_DEBUG_PACKAGE ON)
else()
    set(VEK_DEBUG_PACKAGE OFF)
    # Stripped all the same: the splitting that strips them is not done.
    set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_DEBIAN_RUNTIME_DEBUGINFO_PACKAGE ${VEK_DEBUG_PACKAGE})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/VekDebugPackage.cmake)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "view and change the registers of the chips on a board
Tarvel compiles register descriptions (.vek) and shows every register with
its address and value; it reads and writes them through driver libraries
(JTAG, I2C, a PCI bridge chip) or in simulation, saves and loads register
values (.vkg) and runs register macros and Basic scripts.

The package holds the desktop program vek32, the command-line tool vek and
the drivers.")
# The drivers are private libraries of the programs in lib/tarvel, found beside them and never
# by the system's loader: the package's maintainer scripts tell udev about the cable rule instead
# of running ldconfig.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/packaging/postinst ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME tarvel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "tarvel (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEV_DESCRIPTION
    "interface of Tarvel's register driver libraries
The header vekdriver.h declares the five functions every register driver of
Tarvel exports; the pkg-config file tarvel-driver gives the compiler flags to
build a driver of one's own that vek and vek32 load.")
include(CPack)
