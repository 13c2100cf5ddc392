if(KEYLARK_CORE_ONLY)
    return()
endif()

list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CoursePage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CourseResultText.cpp)
