keylark_add_test(tst_callsignscan SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignscan.cpp LIBS keylark_core)
keylark_add_test(tst_callsignlistreader SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignlistreader.cpp LIBS keylark_core)

# Timing of the scan on large pages; run through bench/scan_bench.sh, never by
# ctest, and built only when asked for.
add_executable(scan_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/scan_bench.cpp)
target_link_libraries(scan_bench PRIVATE keylark_core keylark_common)
