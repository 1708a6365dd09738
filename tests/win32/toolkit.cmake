# The window toolkit under Wine: once at 96 DPI, case by case, and once more whole at 144 DPI.
add_executable(toolkit_win32_tests
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_controls_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_geometry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_message_loop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_test_resources.rc)
target_include_directories(toolkit_win32_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(toolkit_win32_tests PRIVATE toolkit GTest::gtest_main)
marlwick_add_gtest(toolkit_win32_tests)

# wine-run reads MARLWICK_WINE_TEST_DPI and runs the program in a session whose
# HKCU\Control Panel\Desktop\LogPixels is that value; the tests read it back from the screen.
add_test(NAME toolkit_win32_tests_at_144_dpi COMMAND toolkit_win32_tests)
set_tests_properties(toolkit_win32_tests_at_144_dpi PROPERTIES
    ENVIRONMENT MARLWICK_WINE_TEST_DPI=144)
