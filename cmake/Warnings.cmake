# Warnings for the project's own targets, linked privately so that they never
# leak into code that merely includes our headers.
add_library(quorvel_warnings INTERFACE)
if(MSVC)
    target_compile_options(quorvel_warnings INTERFACE /W4 $<$<BOOL:${QUORVEL_WERROR}>:/WX>)
else()
    target_compile_options(quorvel_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        $<$<BOOL:${QUORVEL_WERROR}>:-Werror>)
endif()
