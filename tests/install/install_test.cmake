# cmake -DBUILD_DIR=... -DPREFIX=... -P install_test.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file
        bin/vek bin/vek32 lib/tarvel/vek lib/tarvel/vek32 lib/tarvel/libpardrv32.so
        lib/tarvel/libI2C32.so lib/tarvel/libtapdrv32.so lib/tarvel/libBSX4810.so
        lib/tarvel/libpcbdrv32.so lib/tarvel/libicbdrv32.so lib/tarvel/libqbr18_32.so
        lib/tarvel/libgdbdrv.so share/doc/tarvel/examples/mps2.vek lib/tarvel/libmemdrv.so
        lib/tarvel/libspidrv.so
        share/applications/tarvel-vek32.desktop share/mime/packages/tarvel.xml
        share/icons/hicolor/scalable/apps/tarvel-vek32.svg
        share/bash-completion/completions/vek share/doc/tarvel/README.md
        share/doc/tarvel/vek32.md share/doc/tarvel/examples/demo.vek
        share/man/man1/vek.1.gz share/man/man1/vek32.1.gz share/man/man5/vek.5.gz
        share/metainfo/tarvel-vek32.metainfo.xml lib/udev/rules.d/70-tarvel-ftdi.rules
        include/tarvel/vekdriver.h share/pkgconfig/tarvel-driver.pc
        share/doc/tarvel-dev/driver-sdk.md)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The developers' pages are for the source tree only.
foreach(file share/doc/tarvel/architecture.md share/doc/tarvel/fuzzing.md)
    if(EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "installed, but for developers only: ${file}")
    endif()
endforeach()
file(READ ${PREFIX}/share/applications/tarvel-vek32.desktop entry)
if(NOT entry MATCHES "MimeType=text/x-tarvel-vek;text/x-tarvel-vkg;")
    message(FATAL_ERROR "the desktop entry lacks the MIME types")
endif()
# vek32 opens every file it is given: the file manager hands over all the chosen ones.
if(NOT entry MATCHES "\nExec=vek32 %F\n")
    message(FATAL_ERROR "the desktop entry does not hand vek32 every chosen file")
endif()

# The installed tool finds the drivers beside itself, not in the build folder: the example
# description is read from the installed documentation, outside the program's folder.
set(ENV{VEK_DRIVER_PATH} "")
set(ENV{VEK_PCALH_IO} ${PREFIX}/pcalh_io.ini) # none: the simulated demo board
set(demo ${PREFIX}/share/doc/tarvel/examples/demo.vek)
execute_process(COMMAND ${PREFIX}/bin/vek check ${demo}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out MATCHES "demo.vek - 0 error\\(s\\)")
    message(FATAL_ERROR "vek check from the prefix: ${result}\n${out}${err}")
endif()
execute_process(COMMAND ${PREFIX}/bin/vek open ${demo} write OUTPUT=0xFC show OUTPUT
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out MATCHES "OUTPUT = 0x[fF][cC]")
    message(FATAL_ERROR "vek open from the prefix: ${result}\n${out}${err}")
endif()
