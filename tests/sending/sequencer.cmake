keylark_add_test(tst_charactersequencer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_charactersequencer.cpp LIBS keylark_core)
keylark_add_test(tst_mmerrortext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mmerrortext.cpp LIBS keylark_core)
keylark_add_test(tst_sequencerhandover SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sequencerhandover.cpp LIBS keylark_core)
keylark_add_test(tst_sequencertiming SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sequencertiming.cpp LIBS keylark_core)
