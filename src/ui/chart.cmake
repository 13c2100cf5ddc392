if(KEYLARK_CORE_ONLY)
    return()
endif()

list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AppIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartPicture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DarkStyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpCode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiFonts.cpp)
