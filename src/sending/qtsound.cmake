# The stream bookkeeping needs Qt Core only; the rest plays through Qt Multimedia.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ToneQueue.cpp)
list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/QtSoundOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneSinkWorker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneStream.cpp)
