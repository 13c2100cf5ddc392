keylark_add_test(tst_callsignfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignfile.cpp LIBS keylark_core)
