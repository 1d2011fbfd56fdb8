# Run by cpack after it made the packages (CPACK_POST_BUILD_SCRIPTS): puts the debug-symbols
# package right as Debian's own are made. CPack lists its files in md5sums by the absolute paths
# of its staging folder, so that nothing could check them; its .debug files are executable; and
# it has no copyright, which Debian's debug packages take from their package by the link
# share/doc/NAME-dbgsym -> NAME.
foreach(ddeb ${CPACK_PACKAGE_FILES})
    if(NOT ddeb MATCHES "/([^/_]+)-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    set(package ${CMAKE_MATCH_1})
    set(tree ${ddeb}.tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${ddeb} ${tree} COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/usr/*)
    list(SORT files)
    set(sums "")
    foreach(file ${files})
        file(CHMOD ${tree}/${file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        file(MD5 ${tree}/${file} sum)
        string(APPEND sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
    file(MAKE_DIRECTORY ${tree}/usr/share/doc)
    file(CREATE_LINK ${package} ${tree}/usr/share/doc/${package}-dbgsym SYMBOLIC)

    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${ddeb}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
