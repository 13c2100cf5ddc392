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
