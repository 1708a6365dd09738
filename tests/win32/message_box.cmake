# The message box: its pure layout, the adapter's nine arguments, and DlgMsgBox.dll under Wine.
set(message_box_bin ${CMAKE_BINARY_DIR}/bin)

add_executable(message_box_layout_tests message_box_layout_test.cpp)
target_link_libraries(message_box_layout_tests PRIVATE dlgmsgbox_layout GTest::gtest_main)
marlwick_add_gtest(message_box_layout_tests)

# Beside DlgMsgBox.dll, which they import at load time.
add_executable(message_box_tests
    message_box_adapter_test.cpp
    message_box_box_test.cpp
    message_box_test_support.cpp)
set_target_properties(message_box_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${message_box_bin})
target_include_directories(message_box_tests PRIVATE ${CMAKE_SOURCE_DIR}/toolkit)
target_link_libraries(message_box_tests PRIVATE message_box GTest::gtest_main user32 gdi32)
marlwick_add_gtest(message_box_tests)

# The font and size checks again where the screen has 144 DPI.
add_test(NAME message_box_tests_at_144dpi
    COMMAND message_box_tests --gtest_filter=BoxLooks*)
set_tests_properties(message_box_tests_at_144dpi PROPERTIES ENVIRONMENT MARLWICK_WINE_TEST_DPI=144)

# Shows one box as the program would, for looking at it.
add_executable(message_box_demo message_box_demo.cpp)
set_target_properties(message_box_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${message_box_bin})
target_link_libraries(message_box_demo PRIVATE message_box user32)

# A program linked against the import library must import DLGMSGBOX, undecorated, by name from
# DlgMsgBox.dll, and the library must export exactly that one name.
add_test(NAME message_box_import_entry
    COMMAND ${CMAKE_COMMAND}
        -DOBJDUMP=${CMAKE_OBJDUMP}
        -DPROGRAM=$<TARGET_FILE:message_box_demo>
        -DLIBRARY=$<TARGET_FILE:dlgmsgbox>
        -P ${CMAKE_CURRENT_SOURCE_DIR}/message_box_import_entry.cmake)
