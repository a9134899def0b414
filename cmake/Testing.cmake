# GoogleTest from Debian's sources (it cross-compiles with mingw-w64), and the Wine harness for the
# Windows build: tests run through a generated wrapper that owns a Wine prefix inside the build folder.
enable_testing()

set(DASHWELL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${DASHWELL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(WIN32)
    set(DASHWELL_WINE_STATE "${CMAKE_BINARY_DIR}/wine")
    set(DASHWELL_WINEPREFIX "${DASHWELL_WINE_STATE}/prefix")
    configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    # Creating the prefix takes seconds: do it once, before any test, as a CTest fixture.
    add_test(NAME wine_prefix COMMAND ${CMAKE_BINARY_DIR}/wine-run --prepare)
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
endif()

# dashwell_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest program, run by CTest as one test.
function(dashwell_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        DASHWELL_SOURCE_DIR="${CMAKE_SOURCE_DIR}" DASHWELL_CORPORA_DIR="${DASHWELL_CORPORA_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    # A test that hangs fails instead of stalling the whole run.
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
    if(WIN32)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
endfunction()
