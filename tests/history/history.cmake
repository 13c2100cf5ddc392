keylark_add_test(tst_practicehistory SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_practicehistory.cpp LIBS keylark_history)
