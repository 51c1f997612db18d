# The Windows program: built with MinGW-w64 against a static Qt for Windows into
# one self-contained executable, its tests and build-time tools run under Wine.

# Qt, its plugins, the C++ runtime and the threads library are linked in, so
# that the program needs no DLL beyond Windows' own; the linker drops what
# nothing reaches (Qt is built with a section for each function and datum).
add_link_options(-static -Wl,--gc-sections)
# No link time in the headers: the same source links the same bytes.
add_link_options(-Wl,--no-insert-timestamp)

# Build-time tools (the icon drawer) and the tests are Windows programs too:
# CMake runs them, and gtest_discover_tests lists them, through this runner.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    # scripts/wine.sh, which the runner sources, finds Wine.
    set(QUORVEL_WINEPREFIX "${PROJECT_BINARY_DIR}/wine")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Notices.cmake)
