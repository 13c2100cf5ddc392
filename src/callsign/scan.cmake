list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CallSignScan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CallListAddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CallListTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClient.h
    ${CMAKE_CURRENT_LIST_DIR}/CallSignListReader.cpp)
