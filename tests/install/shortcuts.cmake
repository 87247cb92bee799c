# The shortcut functions over our shell32, in a fresh prefix per test.
add_executable(shortcuts_tests ${CMAKE_CURRENT_LIST_DIR}/ShortcutsTest.cpp
                               ${CMAKE_SOURCE_DIR}/tests/common/link_text.cpp
                               ${CMAKE_SOURCE_DIR}/install/Shortcuts.cpp)
target_include_directories(shortcuts_tests PRIVATE ${CMAKE_SOURCE_DIR}/install ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(shortcuts_tests PRIVATE install_test_prefix winapi_shell32 winapi_msvcrt GTest::gtest_main)
gtest_discover_tests(shortcuts_tests)
