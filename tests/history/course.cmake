keylark_add_test(tst_courseprogress SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_courseprogress.cpp LIBS keylark_history)
