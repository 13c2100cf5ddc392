keylark_add_test(tst_keyingvalues SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_keyingvalues.cpp LIBS keylark_core)
keylark_add_test(tst_characterrenderer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_characterrenderer.cpp LIBS keylark_core)
keylark_add_test(tst_ratiocheck SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ratiocheck.cpp LIBS keylark_core)
