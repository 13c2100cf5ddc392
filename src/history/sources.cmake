# The practice history. Its records and the summary drawn from them are plain
# values (core); the SQLite file behind them needs Qt Sql, a tier of its own.
list(APPEND KEYLARK_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HistoryRecords.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordsSummary.cpp)
list(APPEND KEYLARK_HISTORY_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HistorySchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PracticeHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HistoryCsv.cpp)
