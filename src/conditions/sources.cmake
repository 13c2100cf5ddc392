list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BandNoise.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QsbFading.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CallSignStartWatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SecondStation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QrmCallSigns.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConditionsMixer.cpp)
