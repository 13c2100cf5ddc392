keylark_add_test(tst_conditionsmixer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_conditionsmixer.cpp LIBS keylark_core)
keylark_add_test(tst_bandnoise SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_bandnoise.cpp LIBS keylark_core)
keylark_add_test(tst_secondstation SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_secondstation.cpp LIBS keylark_core)

# Processor cost of the mixer; run through bench/conditions_bench.sh, never by
# ctest, and built only when asked for.
add_executable(conditions_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/conditions_bench.cpp)
target_link_libraries(conditions_bench PRIVATE keylark_core keylark_common)
