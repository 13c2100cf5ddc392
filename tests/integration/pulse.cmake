# The real sound output against a private sound server with a null sink, once
# on PulseAudio and once on PipeWire's PulseAudio server (the two servers
# desktops use). The scripts say SKIP (exit 77) when a server, parec, sox or
# the decoder is missing.
if(KEYLARK_CORE_ONLY)
    return()
endif()
set(cw $<TARGET_FILE:keylark-cw>)
set(player $<TARGET_FILE:pulse_player>)
foreach(server pulseaudio pipewire)
    set(suffix "")
    if(server STREQUAL "pipewire")
        set(suffix "_pipewire")
    endif()
    add_test(NAME pulse_gaps${suffix} COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_gaps.sh ${cw} ${player})
    add_test(NAME pulse_device${suffix} COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_device.sh ${cw} ${player})
    # The same check with keylark-cw itself playing, as a user would.
    add_test(NAME pulse_gaps_keylark_cw${suffix} COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_gaps.sh ${cw} ${cw})
    add_test(NAME sound_faults${suffix} COMMAND ${CMAKE_CURRENT_LIST_DIR}/sound_faults.sh ${cw} ${player})
    # The player's own thread kept busy for a second mid-text: nothing heard
    # may change, as the sound is queued far enough ahead.
    add_test(NAME pulse_stall${suffix} COMMAND ${CMAKE_CURRENT_LIST_DIR}/pulse_gaps.sh ${cw} ${player} --stall-at 4)
    set_tests_properties(pulse_gaps${suffix} pulse_device${suffix} pulse_gaps_keylark_cw${suffix} sound_faults${suffix}
        PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE ENVIRONMENT KEYLARK_SOUND_SERVER=${server})
    set_tests_properties(pulse_stall${suffix} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE
        ENVIRONMENT "KEYLARK_SOUND_SERVER=${server};KEYLARK_NO_EVENT_SYNC=1")
endforeach()
# The harness itself: every server it starts comes up ready, twice in a row
# (tests/integration/harness_selfcheck.sh 20 is the longer run by hand).
add_test(NAME harness_selfcheck COMMAND ${CMAKE_CURRENT_LIST_DIR}/harness_selfcheck.sh 2)
set_tests_properties(harness_selfcheck PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)
