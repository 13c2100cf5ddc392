if(KEYLARK_CORE_ONLY)
    return()
endif()
keylark_add_test(tst_mainwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp LIBS keylark_ui)
