add_executable(app_unit_tests ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp)
target_link_libraries(app_unit_tests PRIVATE app_core GTest::gtest_main)
marlwick_add_gtest(app_unit_tests)
