keylark_add_test(tst_textfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_textfile.cpp LIBS keylark_core)
keylark_add_test(tst_pastefilter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pastefilter.cpp LIBS keylark_core)
keylark_add_test(tst_textfolderlist SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_textfolderlist.cpp LIBS keylark_core)
keylark_add_test(tst_ratetext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ratetext.cpp LIBS keylark_core)
