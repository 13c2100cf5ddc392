list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PulseLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseSoundOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseTimer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneQueue.cpp)
