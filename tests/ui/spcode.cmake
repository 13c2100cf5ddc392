if(KEYLARK_CORE_ONLY)
    return()
endif()

keylark_add_test(tst_spcode SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_spcode.cpp LIBS keylark_ui)
