# The window toolkit's pure decisions: scaling, keyword table, centring, "#number" reader.
add_executable(toolkit_unit_tests
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_scaling_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_control_kinds_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_centring_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/toolkit_number_reader_test.cpp)
target_link_libraries(toolkit_unit_tests PRIVATE toolkit_core GTest::gtest_main)
marlwick_add_gtest(toolkit_unit_tests)
