# The Koch course: its character orders, the groups a lesson plays and the
# scoring of the learner's copy. Plain values, Qt Core only.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/KochCourse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LessonScore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LessonText.cpp)
