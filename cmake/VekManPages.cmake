# The manual pages: scdoc sources in man/, the version filled in, turned into troff and
# compressed as Debian ships them; installed with the programs.
find_program(SCDOC scdoc REQUIRED)
set(VEK_MAN_PAGES vek.1 vek32.1 vek.5)
set(VEK_MAN_DIR ${CMAKE_BINARY_DIR}/share/man)
set(compressed)
foreach(page ${VEK_MAN_PAGES})
    string(REGEX MATCH "[0-9]$" section ${page})
    configure_file(man/${page}.scd ${VEK_MAN_DIR}/${page}.scd @ONLY)
    add_custom_command(OUTPUT ${VEK_MAN_DIR}/man${section}/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VEK_MAN_DIR}/man${section}
        COMMAND sh -c "${SCDOC} < ${page}.scd > man${section}/${page}"
        COMMAND gzip -9 -n -f man${section}/${page}
        DEPENDS ${VEK_MAN_DIR}/${page}.scd
        WORKING_DIRECTORY ${VEK_MAN_DIR}
        COMMENT "Making the manual page ${page}"
        VERBATIM)
    list(APPEND compressed ${VEK_MAN_DIR}/man${section}/${page}.gz)
    install(FILES ${VEK_MAN_DIR}/man${section}/${page}.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed})
