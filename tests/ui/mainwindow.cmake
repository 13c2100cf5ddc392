if(KEYLARK_CORE_ONLY)
    return()
endif()
# The window's rooms, each driven through the whole window with scripted sound,
# HTTP and dialogs.
foreach(suite tst_mainwindow tst_settingspanel tst_plaintextpage tst_callsignpage)
    keylark_add_test(${suite} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp LIBS keylark_ui)
endforeach()
