# The real HTTP client against a local fixture server reached through
# http_proxy; the suite starts and stops the server itself.
if(KEYLARK_CORE_ONLY)
    return()
endif()
keylark_add_test(tst_callsignhttp SOURCES ${PROJECT_SOURCE_DIR}/tests/callsign/tst_callsignhttp.cpp LIBS keylark_ui)
