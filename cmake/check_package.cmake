# cmake -DBUILD_DIR=... -DCONFIG=... -DCPACK=... -DPACKAGE_NAME=... -P check_package.cmake
# Makes the release zip as users get it and checks that it holds one folder with the program,
# its library, the sample presets and the readme.
string(RANDOM LENGTH 8 unique)
set(scratch ${BUILD_DIR}/package-check-${unique})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -C ${CONFIG} -B ${scratch}
                RESULT_VARIABLE packed OUTPUT_VARIABLE log ERROR_VARIABLE log)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${scratch}/${PACKAGE_NAME}.zip
                OUTPUT_VARIABLE listing RESULT_VARIABLE listed)
file(REMOVE_RECURSE ${scratch})
if(NOT packed EQUAL 0 OR NOT listed EQUAL 0)
    message(FATAL_ERROR "cpack did not make ${PACKAGE_NAME}.zip:\n${log}")
endif()
foreach(file MarlwickIII.exe DlgMsgBox.dll MarlwickIII.ini readme.txt)
    string(FIND "${listing}" "${PACKAGE_NAME}/${file}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${PACKAGE_NAME}.zip lacks ${file}:\n${listing}")
    endif()
endforeach()
message(STATUS "${PACKAGE_NAME}.zip holds the program, its library, the presets and the readme")
