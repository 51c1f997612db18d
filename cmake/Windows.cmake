# The Windows program: built with MinGW-w64 against a Qt for Windows, its tests
# and build-time tools run under Wine, and installed as one folder that holds
# the executable with every DLL and plugin it loads.

# Build-time tools (the icon drawer) and the tests are Windows programs too:
# CMake runs them, and gtest_discover_tests lists them, through this runner.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(WINE64 NAMES wine64 wine REQUIRED)
    get_filename_component(WINE_BIN_DIR "${WINE64}" DIRECTORY)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                    OUTPUT_VARIABLE mingw_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                    OUTPUT_VARIABLE mingw_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(QUORVEL_MINGW_DLL_DIRS "${mingw_libstdcxx}" DIRECTORY)
    get_filename_component(winpthread_dir "${mingw_winpthread}" DIRECTORY)
    list(APPEND QUORVEL_MINGW_DLL_DIRS "${winpthread_dir}")
    get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(QUORVEL_QT_DLL_DIR "${qt_core_dll}" DIRECTORY)
    get_filename_component(QUORVEL_QT_PLUGIN_DIR "${QUORVEL_QT_DLL_DIR}/../plugins" ABSOLUTE)
    set(QUORVEL_WINEPREFIX "${PROJECT_BINARY_DIR}/wine")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
endif()

# What the installed program loads besides the system's own DLLs.
function(quorvel_install_windows_runtime target)
    install(TARGETS ${target} RUNTIME DESTINATION .)
    foreach(module Core Gui Widgets)
        install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
    endforeach()
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}")
            message(FATAL_ERROR "the MinGW runtime ${dll} was not found")
        endif()
        install(FILES ${path} DESTINATION .)
    endforeach()
endfunction()
