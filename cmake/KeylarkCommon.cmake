# Options shared by every target of the project.
add_library(keylark_common INTERFACE)
target_compile_features(keylark_common INTERFACE cxx_std_20)
target_compile_definitions(keylark_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
target_compile_options(keylark_common INTERFACE -Wall -Wextra -Wpedantic)
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "")
    target_compile_options(keylark_common INTERFACE -Werror)
endif()

set(KEYLARK_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
if(KEYLARK_SANITIZE)
    target_compile_options(keylark_common INTERFACE
        -fsanitize=${KEYLARK_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(keylark_common INTERFACE -fsanitize=${KEYLARK_SANITIZE})
endif()

# Both programs print the version given to project(); the header is generated so
# that nothing else has to be edited for a release.
configure_file(${CMAKE_CURRENT_LIST_DIR}/KeylarkVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/KeylarkVersion.h @ONLY)
target_include_directories(keylark_common INTERFACE ${PROJECT_BINARY_DIR}/generated)
