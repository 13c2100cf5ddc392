list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SendingView.h
    ${CMAKE_CURRENT_LIST_DIR}/CharacterSequencer.h
    ${CMAKE_CURRENT_LIST_DIR}/CharacterSequencer.cpp)
