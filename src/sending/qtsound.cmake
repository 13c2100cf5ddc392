list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/QtSoundOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneQueue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneSinkWorker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToneStream.cpp)
