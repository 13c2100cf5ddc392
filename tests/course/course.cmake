keylark_add_test(tst_kochcourse SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_kochcourse.cpp LIBS keylark_core)
