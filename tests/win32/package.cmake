# The release zip, tested as users get it: CPack packs the built tree, the zip is unpacked into
# a scratch folder and package_test starts the program from there beside the stand-in IDE.
# Included while configuring, this file registers the test; run with -P, it is that test's steps.

if(CMAKE_SCRIPT_MODE_FILE)
    string(RANDOM LENGTH 8 unique)
    set(scratch ${BUILD_DIR}/package-test-${unique})
    file(REMOVE_RECURSE ${scratch})
    execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -C ${CONFIG}
                            -B ${scratch}
                    RESULT_VARIABLE packed OUTPUT_VARIABLE pack_log ERROR_VARIABLE pack_log)
    set(zip ${scratch}/${PACKAGE_NAME}.zip)
    if(NOT packed EQUAL 0 OR NOT EXISTS ${zip})
        file(REMOVE_RECURSE ${scratch})
        message(FATAL_ERROR "cpack did not make ${PACKAGE_NAME}.zip:\n${pack_log}")
    endif()
    file(MAKE_DIRECTORY ${scratch}/unpacked)
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip}
                    WORKING_DIRECTORY ${scratch}/unpacked RESULT_VARIABLE unpacked)
    set(ENV{MARLWICK_PACKAGE_FOLDER} ${scratch}/unpacked/${PACKAGE_NAME})
    execute_process(COMMAND ${WINE_RUN} --arch ${WINE_ARCH} --root ${WINE_ROOT} ${TEST_EXE}
                    RESULT_VARIABLE tested)
    file(REMOVE_RECURSE ${scratch})
    if(NOT unpacked EQUAL 0 OR NOT tested EQUAL 0)
        message(FATAL_ERROR "the program from ${PACKAGE_NAME}.zip failed its start-up flow")
    endif()
    return()
endif()

if(TARGET MarlwickIII AND TARGET dlgmsgbox)
    add_executable(package_test ${CMAKE_CURRENT_LIST_DIR}/package_test.cpp
                                ${PROJECT_SOURCE_DIR}/tests/e2e/harness.cpp)
    target_include_directories(package_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e)
    target_link_libraries(package_test PRIVATE GTest::gtest_main switch_model_core user32 gdi32)
    target_compile_definitions(package_test PRIVATE
        E2E_APP_EXE="" E2E_REAL_DLGMSGBOX="" E2E_RECORDING_DLGMSGBOX=""
        E2E_STAND_IN_IDE="$<TARGET_FILE:stand_in_ide>")
    add_dependencies(package_test stand_in_ide MarlwickIII dlgmsgbox)

    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(package_platform win32)
    else()
        set(package_platform win64)
    endif()
    math(EXPR package_wine_bits "${CMAKE_SIZEOF_VOID_P} * 8")
    add_test(NAME package.StartsFromUnpackedZip
             COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DCONFIG=$<CONFIG>
                     -DCPACK=${CMAKE_CPACK_COMMAND}
                     -DPACKAGE_NAME=Marlwick-${PROJECT_VERSION}-${package_platform}
                     -DTEST_EXE=$<TARGET_FILE:package_test>
                     -DWINE_RUN=${PROJECT_SOURCE_DIR}/cmake/wine-run
                     -DWINE_ARCH=${package_wine_bits}
                     -DWINE_ROOT=${CMAKE_BINARY_DIR}/wine
                     -P ${CMAKE_CURRENT_LIST_FILE})
    set_tests_properties(package.StartsFromUnpackedZip PROPERTIES TIMEOUT 180)
endif()
