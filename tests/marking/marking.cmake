keylark_add_test(tst_copyalignment SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_copyalignment.cpp LIBS keylark_core)
