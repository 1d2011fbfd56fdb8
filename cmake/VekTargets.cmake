# Helpers shared by every folder of the tree.

# vek_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One GoogleTest executable; each test case becomes a CTest test.
function(vek_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        VEK_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        VEK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VEK_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()

# vek_add_bench(NAME SOURCES a.cpp LIBS lib1)
function(vek_add_bench name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
