# The folder browser, driven from the idle hook in a fresh prefix with a drive D:, through the
# headless display.
add_executable(browse_test
  ${CMAKE_CURRENT_LIST_DIR}/browse_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../kernel32/prefix_fixture.cpp)
target_include_directories(browse_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../kernel32)
target_link_libraries(browse_test PRIVATE winapi GTest::gtest_main)
gtest_discover_tests(browse_test)

# The same program for both shells, compared by browse-compare-wine.sh.
add_executable(browse_probe ${CMAKE_CURRENT_LIST_DIR}/browse_probe.cpp ${CMAKE_CURRENT_LIST_DIR}/headless_choice.cpp)
target_link_libraries(browse_probe PRIVATE winapi)
