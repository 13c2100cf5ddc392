# The real sound output against a private PulseAudio server with a null sink.
# The scripts say SKIP (exit 77) when PulseAudio, parec, sox or the decoder
# are missing.
if(KEYLARK_CORE_ONLY)
    return()
endif()
add_test(NAME pulse_gaps
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_gaps.sh $<TARGET_FILE:keylark-cw> $<TARGET_FILE:pulse_player>)
set_tests_properties(pulse_gaps PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
add_test(NAME pulse_device
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_device.sh $<TARGET_FILE:keylark-cw> $<TARGET_FILE:pulse_player>)
set_tests_properties(pulse_device PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
# The same check with keylark-cw itself playing, as a user would.
add_test(NAME pulse_gaps_keylark_cw
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_gaps.sh $<TARGET_FILE:keylark-cw> $<TARGET_FILE:keylark-cw>)
set_tests_properties(pulse_gaps_keylark_cw PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
