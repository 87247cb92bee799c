# The shortcut functions over our shell32, in a fresh prefix per test.
add_executable(shortcuts_tests ${CMAKE_CURRENT_LIST_DIR}/ShortcutsTest.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/../../install/Shortcuts.cpp)
target_include_directories(shortcuts_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../install)
target_link_libraries(shortcuts_tests PRIVATE install_test_prefix winapi_shell32 winapi_msvcrt GTest::gtest_main)
gtest_discover_tests(shortcuts_tests)
