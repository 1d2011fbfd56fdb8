# cmake -DBUILD_DIR=... -DOUT=... -DCPACK=... -DDEBUG_PACKAGE=ON|OFF -P package_build_test.cmake
# Makes the Debian packages of the build folder into OUT and checks what each holds: the user
# package the programs, manual pages, udev rule and metainfo but no developers' pages and no
# debug information; the -dev package the driver interface; the dbgsym package, where the
# build has debug information, the debug information.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB -B ${OUT} --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}\n${log}")
endif()

# The files of a package, one path a line without the leading ".".
function(package_files pattern variable)
    file(GLOB found ${OUT}/${pattern})
    list(LENGTH found count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one package ${pattern}, found: ${found}")
    endif()
    execute_process(COMMAND dpkg-deb --fsys-tarfile ${found} COMMAND tar -t
                    OUTPUT_VARIABLE listing RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot list ${found}")
    endif()
    string(REGEX REPLACE "(^|\n)\\./" "\\1/" listing "${listing}")
    set(${variable} "\n${listing}" PARENT_SCOPE)
    set(${variable}_file ${found} PARENT_SCOPE)
endfunction()

function(expect listing present absent)
    foreach(path ${present})
        string(FIND "${listing}" "\n${path}\n" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the package lacks ${path}")
        endif()
    endforeach()
    foreach(path ${absent})
        string(FIND "${listing}" "${path}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "the package holds ${path}, which belongs elsewhere")
        endif()
    endforeach()
endfunction()

package_files("tarvel_*.deb" runtime)
expect("${runtime}"
    "/usr/bin/vek;/usr/bin/vek32;/usr/lib/tarvel/vek;/usr/lib/tarvel/libtapdrv32.so;/usr/lib/udev/rules.d/70-tarvel-ftdi.rules;/usr/share/man/man1/vek.1.gz;/usr/share/man/man1/vek32.1.gz;/usr/share/man/man5/vek.5.gz;/usr/share/metainfo/tarvel-vek32.metainfo.xml;/usr/share/doc/tarvel/copyright;/usr/share/doc/tarvel/changelog.gz;/usr/share/doc/tarvel/vek.md"
    "architecture.md;fuzzing.md;driver-sdk.md;/usr/include/;/usr/lib/debug/")
package_files("tarvel-dev_*.deb" dev)
expect("${dev}"
    "/usr/include/tarvel/vekdriver.h;/usr/share/pkgconfig/tarvel-driver.pc;/usr/share/doc/tarvel-dev/driver-sdk.md;/usr/share/doc/tarvel-dev/copyright;/usr/share/doc/tarvel-dev/changelog.gz"
    "/usr/lib/;/usr/bin/")
if(DEBUG_PACKAGE)
    package_files("tarvel-dbgsym_*.ddeb" dbgsym)
    expect("${dbgsym}" "" "/usr/bin/")
    if(NOT dbgsym MATCHES "\n/usr/lib/debug/\\.build-id/[0-9a-f][0-9a-f]/[0-9a-f]+\\.debug\n")
        message(FATAL_ERROR "the dbgsym package holds no debug information:${dbgsym}")
    endif()
else()
    file(GLOB ddebs ${OUT}/*.ddeb)
    if(ddebs)
        message(FATAL_ERROR "a build without debug information made ${ddebs}")
    endif()
endif()

execute_process(COMMAND dpkg-deb -f ${runtime_file} Installed-Size OUTPUT_VARIABLE size)
string(STRIP "${size}" size)
message(STATUS "installed size of tarvel: ${size} KiB")
