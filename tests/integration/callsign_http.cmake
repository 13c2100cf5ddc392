# The real HTTP client against a local fixture server reached through
# http_proxy; the suite starts and stops the server itself.
if(KEYLARK_CORE_ONLY)
    return()
endif()
keylark_add_test(tst_callsignhttp SOURCES ${PROJECT_SOURCE_DIR}/tests/callsign/tst_callsignhttp.cpp LIBS keylark_ui)
# https and the redirect to it through a fixture proxy that answers CONNECT,
# with certificates of a test authority the suite makes with openssl.
keylark_add_test(tst_callsigntls SOURCES ${PROJECT_SOURCE_DIR}/tests/callsign/tst_callsigntls.cpp LIBS keylark_ui)
