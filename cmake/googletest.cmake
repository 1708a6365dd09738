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

# Adds a GoogleTest executable whose cases become CTest tests. Under Wine the listing runs
# through the emulator at test time, so a build never needs a display.
function(marlwick_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 ${ARGN})
    else()
        gtest_discover_tests(${target} ${ARGN})
    endif()
endfunction()
