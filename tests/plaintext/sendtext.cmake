keylark_add_test(tst_sendtext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sendtext.cpp LIBS keylark_core)
