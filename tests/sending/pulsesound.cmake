keylark_add_test(tst_tonequeue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tonequeue.cpp LIBS keylark_core)
if(KEYLARK_CORE_ONLY)
    return()
endif()

# Not a test by itself: the driver the sound integration tests and the sound
# benchmarks play through.
add_executable(pulse_player
    ${CMAKE_CURRENT_LIST_DIR}/pulse_player.cpp
    ${PROJECT_SOURCE_DIR}/src/cli/CwOptions.cpp)
target_include_directories(pulse_player PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pulse_player PRIVATE keylark_ui keylark_common)
