# The file layer, the text conversions and the path utilities on real Win32 under Wine.
set(switch_model_win32_dir ${CMAKE_CURRENT_LIST_DIR})

add_library(switch_model_scratch STATIC ${switch_model_win32_dir}/switch_model_scratch.cpp)
target_include_directories(switch_model_scratch PUBLIC ${switch_model_win32_dir})
target_link_libraries(switch_model_scratch PUBLIC toolkit)

add_executable(switch_model_win32_tests ${switch_model_win32_dir}/settings_files_test.cpp)
target_link_libraries(switch_model_win32_tests PRIVATE switch_model switch_model_scratch
                      GTest::gtest_main)
marlwick_add_gtest(switch_model_win32_tests)

# Probes built beside the test: the program reports ExeName, ExePath and its module path from
# wherever the test copies it; the library is loaded from a folder deeper than MAX_PATH.
add_executable(module_path_probe ${switch_model_win32_dir}/module_path_probe.cpp)
target_link_libraries(module_path_probe PRIVATE toolkit)
add_library(module_path_probe_dll SHARED ${switch_model_win32_dir}/module_path_probe_dll.cpp)
set_target_properties(module_path_probe_dll PROPERTIES PREFIX "")

add_executable(toolkit_strings_win32_tests ${switch_model_win32_dir}/strings_and_paths_test.cpp)
target_link_libraries(toolkit_strings_win32_tests PRIVATE switch_model_scratch shlwapi
                      GTest::gtest_main)
add_dependencies(toolkit_strings_win32_tests module_path_probe module_path_probe_dll)
marlwick_add_gtest(toolkit_strings_win32_tests)
