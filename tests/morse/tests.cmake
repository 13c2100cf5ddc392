keylark_add_test(tst_morsepattern SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_morsepattern.cpp LIBS keylark_core)
