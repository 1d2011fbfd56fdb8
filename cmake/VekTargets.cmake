# Helpers shared by every folder of the tree.

# vek_layer_library(NAME FOLDER SOURCES a.cpp b.cpp LINKS lib1 lib2)
# A layer's static library. Its headers are included as "FOLDER/name.h" through an include root
# that holds FOLDER alone, so a file can reach only the layers its library links: an include of
# a higher layer fails to compile. Several libraries may share one folder's root.
function(vek_layer_library name folder)
    cmake_parse_arguments(L "" "" "SOURCES;LINKS" ${ARGN})
    set(root ${CMAKE_BINARY_DIR}/include_roots/${folder})
    if(NOT EXISTS ${root}/${folder})
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()

# vek_part_library(NAME FOLDER SOURCES a.cpp HEADERS a.h LINKS lib1)
# A library of a few files of a layer's folder, for code that may use them but not the rest of the
# layer (the drivers use platform's dependency-free helpers). Its include root holds its own headers
# alone, as "FOLDER/a.h", so any other header of the folder fails to compile there.
function(vek_part_library name folder)
    cmake_parse_arguments(L "" "" "SOURCES;HEADERS;LINKS" ${ARGN})
    set(root ${CMAKE_BINARY_DIR}/include_roots/${name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header ${L_HEADERS})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endforeach()
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()

# vek_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One GoogleTest executable; each test case becomes a CTest test. A test reaches the layers it
# links and the headers beside its own sources.
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
