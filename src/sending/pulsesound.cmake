# The stream bookkeeping needs Qt Core only; the rest talks to the sound server.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ToneQueue.cpp)
list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PulseLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseLinkStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseSoundOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PulseTimer.cpp)
