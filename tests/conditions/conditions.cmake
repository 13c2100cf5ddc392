keylark_add_test(tst_conditionsmixer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_conditionsmixer.cpp LIBS keylark_core)
keylark_add_test(tst_secondstation SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_secondstation.cpp LIBS keylark_core)
