keylark_add_test(tst_callsignfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignfile.cpp LIBS keylark_core)
keylark_add_test(tst_callsignlistcache SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_callsignlistcache.cpp LIBS keylark_core)
