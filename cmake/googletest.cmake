# Native: Debian's prebuilt GoogleTest. Windows: Debian's sources, built with the cross compiler.
if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Older sources define no GTest:: names; the native package does.
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    find_package(GTest REQUIRED)
endif()

# One CTest entry per test program: under Wine every entry is a process start, so a program's
# cases run together, and a failure names its case in the output.
function(marlwick_add_test target)
    add_test(NAME ${target} COMMAND ${target} ${ARGN})
endfunction()
