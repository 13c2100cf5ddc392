if(KEYLARK_CORE_ONLY)
    return()
endif()
# The window's rooms, each driven through the whole window with scripted sound,
# HTTP and dialogs.
foreach(suite tst_mainwindow tst_settingspanel tst_plaintextpage tst_callsignpage tst_savedstate
              tst_callsignconditions)
    keylark_add_test(${suite} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${suite}.cpp LIBS keylark_ui)
endforeach()

add_executable(memo_writer ${CMAKE_CURRENT_LIST_DIR}/memo_writer.cpp)
target_link_libraries(memo_writer PRIVATE keylark_ui keylark_common)
target_include_directories(memo_writer PRIVATE ${PROJECT_SOURCE_DIR}/src)
keylark_add_test(tst_memocrash SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_memocrash.cpp LIBS Qt6::Core)
target_compile_definitions(tst_memocrash PRIVATE MEMO_WRITER="$<TARGET_FILE:memo_writer>")
add_dependencies(tst_memocrash memo_writer)
