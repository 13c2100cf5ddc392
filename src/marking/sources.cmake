# Lining up what was copied with what was sent, pointing out the characters
# copied wrong and tallying them: shared by every practice that marks answers.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CopyAlignment.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CopyMarks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CharacterTally.cpp)
