keylark_add_test(tst_callsignfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignfile.cpp LIBS keylark_core)
keylark_add_test(tst_callsignlistcache SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignlistcache.cpp LIBS keylark_core)

# Load time of large call-sign files; run through bench/callfile_bench.sh,
# never by ctest, and built only when asked for.
add_executable(callfile_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/callfile_bench.cpp)
target_link_libraries(callfile_bench PRIVATE keylark_core keylark_common)
