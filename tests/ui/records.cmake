if(KEYLARK_CORE_ONLY)
    return()
endif()

keylark_add_test(tst_recordswindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_recordswindow.cpp LIBS keylark_ui)

