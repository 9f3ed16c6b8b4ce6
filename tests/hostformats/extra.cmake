# The conversion tests use the settings store, the reading builder of tests/support and {fmt}.
target_link_libraries(hostformats_tests PRIVATE SQLite::SQLite3 fmt::fmt)
target_include_directories(hostformats_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
