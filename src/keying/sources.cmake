list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RandomInt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyingValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CharacterView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CharacterLength.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RatioCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CharacterRenderer.cpp)
