if(KEYLARK_CORE_ONLY)
    return()
endif()

list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtUiDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpDownSpinner.cpp)
