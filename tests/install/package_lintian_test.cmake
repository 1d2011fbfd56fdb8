# cmake -DOUT=... -P package_lintian_test.cmake
# lintian finds neither an error nor a warning in the packages.
file(GLOB packages ${OUT}/*.deb ${OUT}/*.ddeb)
if(packages STREQUAL "")
    message(FATAL_ERROR "no packages in ${OUT}")
endif()
execute_process(COMMAND lintian --fail-on error,warning ${packages}
                RESULT_VARIABLE result OUTPUT_VARIABLE findings ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR findings MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (${result}):\n${findings}${errors}")
endif()
