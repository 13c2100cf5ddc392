# End-to-end runs of the real window: real sound through a private PulseAudio
# server with a null sink, real HTTP against local fixture servers. Each script
# starts and stops its own servers and says SKIP (exit 77) when a tool is missing.
if(KEYLARK_CORE_ONLY)
    return()
endif()

add_executable(e2e_driver ${CMAKE_CURRENT_LIST_DIR}/e2e_driver.cpp ${CMAKE_CURRENT_LIST_DIR}/e2e_practice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/e2e_course.cpp ${CMAKE_CURRENT_LIST_DIR}/e2e_restart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/e2e_conditions.cpp ${CMAKE_CURRENT_LIST_DIR}/e2e_files.cpp)
target_include_directories(e2e_driver PRIVATE ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(e2e_driver PRIVATE keylark_ui Qt6::Test keylark_common)

foreach(script e2e_sound e2e_faults e2e_network e2e_files e2e_practice e2e_conditions)
    add_test(NAME ${script}
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/${script}.sh $<TARGET_FILE:e2e_driver>)
    set_tests_properties(${script} PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 240)
endforeach()
# Two one-minute lessons in real time.
add_test(NAME e2e_course COMMAND ${CMAKE_CURRENT_LIST_DIR}/e2e_course.sh $<TARGET_FILE:e2e_driver>)
set_tests_properties(e2e_course PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 240)
