# End-to-end tests: the real program in a scratch layout beside a stand-in IDE, driven from
# another process. Windows only; ctest runs them one at a time under Wine.

# The stand-in IDE: a "WinFBE_Class" window that logs the keys it receives.
add_executable(stand_in_ide WIN32 ${CMAKE_CURRENT_LIST_DIR}/stand_in_ide.cpp)
target_link_libraries(stand_in_ide PRIVATE shell32 user32)

# A DlgMsgBox.dll that records its calls; its own folder keeps it apart from the real one.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(recording_exports ${CMAKE_CURRENT_LIST_DIR}/recording_dlgmsgbox/exports_i686.def)
else()
    set(recording_exports ${CMAKE_CURRENT_LIST_DIR}/recording_dlgmsgbox/exports_x86_64.def)
endif()
add_library(recording_dlgmsgbox SHARED
    ${CMAKE_CURRENT_LIST_DIR}/recording_dlgmsgbox/recording_dlgmsgbox.cpp ${recording_exports})
target_link_libraries(recording_dlgmsgbox PRIVATE user32)
set_target_properties(recording_dlgmsgbox PROPERTIES
    OUTPUT_NAME DlgMsgBox
    PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e/recording_dlgmsgbox
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e/recording_dlgmsgbox)

function(marlwick_add_e2e target app_exe real_box)
    add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/harness.cpp ${ARGN})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(${target} PRIVATE GTest::gtest_main user32 gdi32)
    target_compile_definitions(${target} PRIVATE
        E2E_APP_EXE="${app_exe}"
        E2E_REAL_DLGMSGBOX="${real_box}"
        E2E_RECORDING_DLGMSGBOX="$<TARGET_FILE:recording_dlgmsgbox>"
        E2E_STAND_IN_IDE="$<TARGET_FILE:stand_in_ide>")
    add_dependencies(${target} stand_in_ide recording_dlgmsgbox)
    marlwick_add_gtest(${target} TEST_PREFIX "e2e." NO_PRETTY_VALUES PROPERTIES TIMEOUT 120)
endfunction()

# The stand-ins on their own, so the harness can be trusted before the program is looked at.
marlwick_add_e2e(e2e_harness_tests "" "" ${CMAKE_CURRENT_LIST_DIR}/harness_test.cpp)

if(TARGET MarlwickIII AND TARGET dlgmsgbox)
    file(GLOB e2e_flows CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
    list(REMOVE_ITEM e2e_flows ${CMAKE_CURRENT_LIST_DIR}/harness_test.cpp)
    marlwick_add_e2e(marlwick_e2e_tests "$<TARGET_FILE:MarlwickIII>" "$<TARGET_FILE:dlgmsgbox>"
        ${e2e_flows})
    add_dependencies(marlwick_e2e_tests MarlwickIII dlgmsgbox)
    # The layout once more at 144 DPI, in a Wine session of its own.
    add_test(NAME e2e.Layout.At144Dpi COMMAND marlwick_e2e_tests --gtest_filter=*Layout*)
    set_tests_properties(e2e.Layout.At144Dpi PROPERTIES
        ENVIRONMENT MARLWICK_WINE_TEST_DPI=144 TIMEOUT 300)
endif()
