# Installs the build in BUILD_DIR into the scratch prefix PREFIX and checks that
# every file is where the platform looks for it: on Linux the program and what a
# desktop needs to list it; on Windows (WINDOWS true) one folder with the
# executable and every DLL and plugin it loads beside it, and nothing else.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
if(WINDOWS)
    set(expected
        quorvel.exe
        Qt6Core.dll
        Qt6Gui.dll
        Qt6Widgets.dll
        platforms/qwindows.dll
        styles/qwindowsvistastyle.dll
        libstdc++-6.dll
        libgcc_s_seh-1.dll
        libwinpthread-1.dll)
else()
    set(expected
        bin/quorvel
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg)
    foreach(size 16 24 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    endforeach()
endif()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(LENGTH installed count)
list(LENGTH expected expected_count)
if(NOT count EQUAL expected_count)
    message(FATAL_ERROR "installed ${count} files, expected ${expected_count}: ${installed}")
endif()
if(NOT WINDOWS)
    file(READ "${PREFIX}/share/applications/${APP_ID}.desktop" desktop)
    if(NOT desktop MATCHES "Icon=${APP_ID}\n" OR NOT desktop MATCHES "Exec=quorvel\n")
        message(FATAL_ERROR "the desktop entry names the wrong icon or program")
    endif()
endif()
message(STATUS "installed ${count} files into ${PREFIX}")
