if(KEYLARK_CORE_ONLY)
    return()
endif()

list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RecordsCharts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordsWindow.cpp)
