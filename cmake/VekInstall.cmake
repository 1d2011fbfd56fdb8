# Installing Tarvel. The programs and the driver libraries go together into lib/tarvel, so that
# the programs find the drivers beside them as in the build folder, and each driver its helper
# libraries; bin/ holds links to the programs. Then the desktop entry, its AppStream metainfo,
# the MIME types of descriptions (.vek) and register-values files (.vkg), the icon, the FTDI
# cable's udev rule, vek's bash completion, the manual pages, the user documentation and the
# examples: the component "runtime". The component "dev" holds what a driver of one's own is
# built with (docs/driver-sdk.md). The developers' own pages stay in the source tree.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME runtime)
include(VekManPages)

set(VEK_PROGRAM_DIR lib/tarvel)
set(VEK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvel)
# Help > User Guide finds the installed vek32.md from the program's folder.
file(RELATIVE_PATH VEK_GUIDE_FOLDER /${VEK_PROGRAM_DIR} /${VEK_DOC_DIR})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/ui/dialogs/user_guide.cpp DIRECTORY ui APPEND PROPERTY
             COMPILE_DEFINITIONS VEK_GUIDE_FOLDER="${VEK_GUIDE_FOLDER}")

install(TARGETS vek vek32 RUNTIME DESTINATION ${VEK_PROGRAM_DIR})
install(TARGETS tapdrv32 BSX4810 pardrv32 I2C32 pcbdrv32 icbdrv32 qbr18_32 gdbdrv memdrv spidrv
        LIBRARY DESTINATION ${VEK_PROGRAM_DIR})
foreach(program vek vek32)
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bin}\")
        file(CREATE_LINK ../${VEK_PROGRAM_DIR}/${program} \"\${bin}/${program}\" SYMBOLIC)
        message(STATUS \"Installing: \${bin}/${program} -> ../${VEK_PROGRAM_DIR}/${program}\")")
endforeach()

install(FILES ui/install/tarvel-vek32.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ui/install/tarvel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
string(TIMESTAMP VEK_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(ui/install/tarvel-vek32.metainfo.xml.in share/metainfo/tarvel-vek32.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/share/metainfo/tarvel-vek32.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ui/resources/icons/tarvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tarvel-vek32.svg)
install(FILES ${CMAKE_BINARY_DIR}/share/bash-completion/completions/vek
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# udev reads its rules from lib/udev/rules.d of /usr only; elsewhere the rule waits to be copied.
install(FILES drivers/scanlib/70-tarvel-ftdi.rules DESTINATION lib/udev/rules.d)
install(FILES README.md DESTINATION ${VEK_DOC_DIR})
install(DIRECTORY docs/ DESTINATION ${VEK_DOC_DIR}
        PATTERN architecture.md EXCLUDE PATTERN fuzzing.md EXCLUDE PATTERN driver-sdk.md EXCLUDE)
install(DIRECTORY examples DESTINATION ${VEK_DOC_DIR})

# The driver interface: the header and a pkg-config file that finds it from where it lies, so
# that an unpacked or relocated tree works as well as /usr.
configure_file(drivers/interface/tarvel-driver.pc.in share/pkgconfig/tarvel-driver.pc @ONLY)
install(FILES drivers/interface/vekdriver.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvel
        COMPONENT dev)
install(FILES ${CMAKE_BINARY_DIR}/share/pkgconfig/tarvel-driver.pc
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pkgconfig COMPONENT dev)
install(FILES docs/driver-sdk.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvel-dev COMPONENT dev)

# Each package's copyright and changelog (Debian's layout: share/doc/PACKAGE). The changelog
# has one entry, for this version, dated when the build was configured (or SOURCE_DATE_EPOCH).
set(VEK_PACKAGE_MAINTAINER "Tarvel maintainers <maintainers@tarvel.example>"
    CACHE STRING "The packages' maintainer: name and mail address")
string(TIMESTAMP VEK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(packaging/changelog.in package/changelog @ONLY)
add_custom_command(OUTPUT package/changelog.gz
    COMMAND gzip -9 -n -c changelog > changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
    COMMENT "Compressing the package changelog"
    VERBATIM)
add_custom_target(package_changelog ALL DEPENDS package/changelog.gz)
foreach(component runtime dev)
    set(package tarvel)
    if(component STREQUAL dev)
        set(package tarvel-dev)
    endif()
    install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

# A direct install (not a package being staged) tells the desktop about the new MIME types and
# the desktop entry at once; a package's own triggers do that where it is installed.
install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        find_program(update_mime update-mime-database)
        find_program(update_desktop update-desktop-database)
        if(update_mime)
            execute_process(COMMAND \${update_mime} \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime
                            OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(update_desktop)
            execute_process(COMMAND \${update_desktop} \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications
                            OUTPUT_QUIET ERROR_QUIET)
        endif()
    endif()")
