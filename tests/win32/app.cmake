# The built program carries what Windows reads before any of our code runs.
add_test(NAME MarlwickIII.executable_contents
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:MarlwickIII> -DOBJDUMP=${CMAKE_OBJDUMP}
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/check_executable.cmake)
