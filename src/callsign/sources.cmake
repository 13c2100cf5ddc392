# Call signs from the operator's files, and the kept copies of web reads.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CallSignFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CallSignListCache.cpp)
