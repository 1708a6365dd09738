# The pure switch model and the toolkit's strings and path rules, in both builds.
add_executable(switch_model_tests
    presets_test.cpp preset_file_test.cpp preset_file_generated_test.cpp
    position_record_test.cpp toolchain_status_test.cpp host_watch_test.cpp)
target_link_libraries(switch_model_tests PRIVATE switch_model_core GTest::gtest_main)
marlwick_add_gtest(switch_model_tests)

# Under Windows DynamicWideString lives in toolkit with its ANSI conversion.
add_executable(toolkit_strings_tests wide_string_test.cpp paths_rules_test.cpp)
if(WIN32)
    target_link_libraries(toolkit_strings_tests PRIVATE toolkit GTest::gtest_main)
else()
    target_link_libraries(toolkit_strings_tests PRIVATE toolkit_core GTest::gtest_main)
endif()
marlwick_add_gtest(toolkit_strings_tests)
