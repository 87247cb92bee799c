# CIniFile over the profile functions, each test in a fresh Wine-style prefix (the kernel32
# tests' fixture). Included from this folder's CMakeLists.txt.
add_executable(support_inifile_tests
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_SOURCE_DIR}/support/IniFile.cpp
  ${CMAKE_SOURCE_DIR}/tests/winapi/kernel32/prefix_fixture.cpp)
target_include_directories(support_inifile_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/support ${CMAKE_SOURCE_DIR}/tests/winapi/kernel32)
target_link_libraries(support_inifile_tests PRIVATE afx GTest::gtest_main)
gtest_discover_tests(support_inifile_tests)
