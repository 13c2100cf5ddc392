if(KEYLARK_CORE_ONLY)
    return()
endif()

keylark_add_test(tst_recordswindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_recordswindow.cpp LIBS keylark_ui)

# The records window opening over a large history; run through
# bench/records_bench.sh, never by ctest, and built only when asked for.
add_executable(records_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/records_bench.cpp)
target_include_directories(records_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(records_bench PRIVATE keylark_ui keylark_common)
