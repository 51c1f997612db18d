# Installs the build in BUILD_DIR into the scratch prefix PREFIX and checks that
# every file is where the platform looks for it: on Linux the program and what a
# desktop needs to list it; on Windows (WINDOWS true) the one executable with
# its licence, its notices and the licence texts they name, and nothing else,
# every text in CR LF lines.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
if(WINDOWS)
    set(expected quorvel.exe LICENSE.txt THIRD-PARTY-NOTICES.txt licenses/LGPL-3.0-only.txt
                 licenses/GPL-3.0-only.txt licenses/GCC-exception-3.1.txt)
    # Every licence text the notices name is there, and nothing else is.
    file(READ "${PREFIX}/THIRD-PARTY-NOTICES.txt" notices)
    string(REGEX MATCHALL "licenses\\\\[^ )\r\n]+" named "${notices}")
    list(REMOVE_DUPLICATES named)
    foreach(text IN LISTS named)
        string(REPLACE "\\" "/" text "${text}")
        list(APPEND expected "${text}")
    endforeach()
    list(REMOVE_DUPLICATES expected)
else()
    set(expected
        bin/quorvel
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/scalable/apps/${APP_ID}.svg
        share/man/man1/quorvel.1)
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
if(WINDOWS)
    # Windows' own editors show a text whose lines end in LF alone as one line:
    # every line of every text ends in CR LF.
    foreach(path IN LISTS expected)
        if(path MATCHES "\\.txt$")
            # By bytes: CMake reads a text without its carriage returns.
            file(READ "${PREFIX}/${path}" text HEX)
            string(REGEX REPLACE "(..)" "\\1 " bytes "${text}")
            string(REPLACE "0d 0a " "" rest "${bytes}")
            string(FIND " ${rest}" " 0a " bare)
            if(NOT bare EQUAL -1 OR NOT bytes MATCHES "0d 0a ")
                message(FATAL_ERROR "${path} has lines that do not end in CR LF")
            endif()
        endif()
    endforeach()
else()
    file(READ "${PREFIX}/share/applications/${APP_ID}.desktop" desktop)
    if(NOT desktop MATCHES "Icon=${APP_ID}\n" OR NOT desktop MATCHES "Exec=quorvel\n")
        message(FATAL_ERROR "the desktop entry names the wrong icon or program")
    endif()
endif()
message(STATUS "installed ${count} files into ${PREFIX}")
