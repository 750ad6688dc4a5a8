option(WAVA_TESTS "Build the tests" ON)

# GoogleTest is built from the distribution's sources with our compiler.
if(WAVA_TESTS)
    set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# A test program passes only when GoogleTest says so at its end: a process
# that Wine ends half-way (a stack overflow, a lost display) can still exit
# with 0, which alone would count as a pass.
function(wava_gtest_verdict name)
    set_tests_properties(${name} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

# wava_add_test(NAME name SOURCES ... LIBS ... [DESKTOP] [TIMEOUT s])
# A console GoogleTest program run under Wine (with the X display that
# tools/test.sh provides). DESKTOP tests show windows, start the program or
# use real pointer and keyboard input: one could cover, activate or close
# another's windows, so they never overlap with each other.
function(wava_add_test)
    cmake_parse_arguments(T "DESKTOP" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    set_target_properties(${T_NAME} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    # Wine's own timeout fires first, so a hung program is killed cleanly.
    math(EXPR wine_timeout "${T_TIMEOUT} - 10")
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "WAVA_BUILD_DIR=${CMAKE_BINARY_DIR};WINE_TIMEOUT=${wine_timeout}")
    if(T_DESKTOP)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
    wava_gtest_verdict(${T_NAME})
endfunction()

# wava_add_dpi_test(NAME name PROGRAM test DPI dpi FILTER gtest-filter)
# Runs the named tests of a test program again in a Wine prefix of its own
# whose display has another DPI (made on first use, beside the build's own).
# They show windows, like DESKTOP tests.
function(wava_add_dpi_test)
    cmake_parse_arguments(T "" "NAME;PROGRAM;DPI;FILTER" "" ${ARGN})
    add_test(NAME ${T_NAME} COMMAND ${T_PROGRAM} --gtest_filter=${T_FILTER}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # Making the prefix takes a while the first time; Wine's own timeout
    # counts only the test program.
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_desktop
        ENVIRONMENT "WAVA_BUILD_DIR=${CMAKE_BINARY_DIR};WINE_TIMEOUT=120;WAVA_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-${T_DPI}dpi;WAVA_LOGPIXELS=${T_DPI}")
    wava_gtest_verdict(${T_NAME})
endfunction()

# wava_add_bench(NAME name SOURCES ... LIBS ...): a program that prints figures.
function(wava_add_bench)
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS})
    target_include_directories(${B_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    set_target_properties(${B_NAME} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
