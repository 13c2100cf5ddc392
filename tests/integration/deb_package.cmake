# Packs the built programs with CPack and checks the unpacked Debian package;
# says SKIP (exit 77) when a packaging tool is missing.
if(KEYLARK_CORE_ONLY)
    return()
endif()
add_test(NAME deb_package
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/deb_package.sh --cpack ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR})
set_tests_properties(deb_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
