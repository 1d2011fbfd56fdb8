# Installing Tarvel. The programs and the driver libraries go together into lib/tarvel, so that
# the programs find the drivers beside them as in the build folder, and each driver its helper
# libraries; bin/ holds links to the programs. Then the desktop entry, the MIME types of
# descriptions (.vek) and register-values files (.vkg), the icon, vek's bash completion, the
# documentation and the examples.
include(GNUInstallDirs)

set(VEK_PROGRAM_DIR lib/tarvel)
set(VEK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvel)
# Help > User Guide finds the installed vek32.md from the program's folder.
file(RELATIVE_PATH VEK_GUIDE_FOLDER /${VEK_PROGRAM_DIR} /${VEK_DOC_DIR})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/ui/dialogs/user_guide.cpp DIRECTORY ui APPEND PROPERTY
             COMPILE_DEFINITIONS VEK_GUIDE_FOLDER="${VEK_GUIDE_FOLDER}")

install(TARGETS vek vek32 RUNTIME DESTINATION ${VEK_PROGRAM_DIR})
install(TARGETS tapdrv32 BSX4810 pardrv32 I2C32 pcbdrv32 icbdrv32 qbr18_32
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
install(FILES ui/resources/icons/tarvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tarvel-vek32.svg)
install(FILES ${CMAKE_BINARY_DIR}/share/bash-completion/completions/vek
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES README.md DESTINATION ${VEK_DOC_DIR})
install(DIRECTORY docs/ DESTINATION ${VEK_DOC_DIR})
install(DIRECTORY examples DESTINATION ${VEK_DOC_DIR})

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
