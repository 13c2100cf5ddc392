if(KEYLARK_CORE_ONLY)
    return()
endif()

keylark_add_test(tst_coursepage SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_coursepage.cpp LIBS keylark_ui)
