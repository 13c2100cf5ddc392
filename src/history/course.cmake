# The Koch course's progress, in tables of its own in the practice history's file.
list(APPEND KEYLARK_HISTORY_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CourseProgress.cpp)
