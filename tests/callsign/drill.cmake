keylark_add_test(tst_callsigndrill SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsigndrill.cpp LIBS keylark_core)
