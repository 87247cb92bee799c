# The tree view, driven through its messages as the folder browser drives it. The test uses
# the Win32 API only; on Linux it shows its windows through the headless display.
add_executable(treeview_test
  ${CMAKE_CURRENT_LIST_DIR}/treeview_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless_display.cpp)
target_link_libraries(treeview_test PRIVATE winapi GTest::gtest_main)
gtest_discover_tests(treeview_test)
