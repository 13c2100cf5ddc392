# End-to-end checks of keylark-cw; a script says SKIP (exit 77) when a tool it
# needs is missing.
if(KEYLARK_CORE_ONLY)
    return()
endif()
add_test(NAME cw_wav_decodes
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/cw_wav_decodes.sh $<TARGET_FILE:keylark-cw>)
add_test(NAME cw_cli_errors
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/cw_cli_errors.sh $<TARGET_FILE:keylark-cw>)
add_test(NAME cw_conditions
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/cw_conditions.sh $<TARGET_FILE:keylark-cw>)
set_tests_properties(cw_wav_decodes cw_cli_errors cw_conditions PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
