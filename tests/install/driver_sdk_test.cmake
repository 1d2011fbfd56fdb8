# cmake -DOUT=... -DWORK=... -DGUIDE=docs/driver-sdk.md -P driver_sdk_test.cmake
# The guide's example driver and description, taken from the guide itself, with nothing of the
# source tree: the tarvel-dev and tarvel packages are unpacked into WORK/root, the driver is
# built with a plain c++ and the flags pkg-config finds there, and the unpacked vek loads it
# from --driver-path and moves values through it.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root ${WORK}/drivers)
file(GLOB packages ${OUT}/tarvel_*.deb ${OUT}/tarvel-dev_*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "expected tarvel and tarvel-dev in ${OUT}: ${packages}")
endif()
foreach(package ${packages})
    execute_process(COMMAND dpkg-deb -x ${package} ${WORK}/root RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot unpack ${package}")
    endif()
endforeach()

# The first fenced block of the guide with the given info string.
function(guide_block info variable)
    file(READ ${GUIDE} guide)
    string(FIND "${guide}" "\n```${info}\n" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "the guide has no ```${info} block")
    endif()
    string(LENGTH "\n```${info}\n" skip)
    math(EXPR start "${start} + ${skip}")
    string(SUBSTRING "${guide}" ${start} -1 rest)
    string(FIND "${rest}" "\n```" end)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${rest}" 0 ${end} block)
    set(${variable} "${block}" PARENT_SCOPE)
endfunction()
guide_block(cpp driver)
guide_block(vek description)
file(WRITE ${WORK}/ramdrv.cpp "${driver}")
file(WRITE ${WORK}/ramdrv.vek "${description}")

# Only the unpacked tree: no system folder of pkg-config files is searched.
set(ENV{PKG_CONFIG_PATH} ${WORK}/root/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_LIBDIR} ${WORK}/root/usr/share/pkgconfig)
execute_process(COMMAND pkg-config --cflags tarvel-driver
                RESULT_VARIABLE result OUTPUT_VARIABLE cflags ERROR_VARIABLE error
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(FIND "${cflags}" "-I${WORK}/root/" at)
if(NOT result EQUAL 0 OR NOT at EQUAL 0)
    message(FATAL_ERROR "pkg-config --cflags tarvel-driver: ${result} '${cflags}' ${error}")
endif()
separate_arguments(cflags UNIX_COMMAND "${cflags}")
execute_process(COMMAND c++ -std=c++17 -Wall -Wextra -Werror -shared -fPIC ${cflags}
                        ramdrv.cpp -o drivers/libramdrv.so
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the example driver does not build:\n${error}")
endif()

set(ENV{VEK_DRIVER_PATH} "")
execute_process(COMMAND ${WORK}/root/usr/bin/vek open ramdrv.vek --driver-path ${WORK}/drivers
                        write CONTROL=0x5A write COUNTER=0x1234 read CONTROL read COUNTER
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
string(FIND "${err}" "ramdrv.dll loaded from ${WORK}/drivers/libramdrv.so" at)
if(NOT result EQUAL 0 OR NOT out STREQUAL "CONTROL = 0x005a\nCOUNTER = 0x1234\n" OR at EQUAL -1)
    message(FATAL_ERROR "vek with the example driver: ${result}\n${out}${err}")
endif()
