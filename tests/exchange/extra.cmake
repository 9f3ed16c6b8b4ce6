target_link_libraries(exchange_tests PRIVATE SQLite::SQLite3)
