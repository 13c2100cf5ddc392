if(KEYLARK_CORE_ONLY)
    return()
endif()

list(APPEND KEYLARK_UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CallSignPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CallSignConditions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConditionsButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MarkedAnswerDelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MemoStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlainTextPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PracticeRecorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTranslations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtUiDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SavedValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsPanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpDownSpinner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowSendingView.cpp)
