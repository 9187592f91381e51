# GoogleTest: the system's library for native builds, the system's sources (Debian package
# googletest) compiled by the cross compiler for Windows builds.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED)
else()
    set(MORVIK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${MORVIK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest's own build defines the GTest:: aliases from version 1.12 on.
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
endif()
include(GoogleTest)

# morvik_test(name SOURCES... LIBS ...): one test program, registered test by test with CTest.
function(morvik_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    morvik_target(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        MORVIK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    if(CMAKE_CROSSCOMPILING)
        # Under Wine every process start costs; the program runs whole, as one test.
        add_test(NAME ${name} COMMAND ${name})
        # A window left waiting for an answer must fail the run, not stall it.
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
