# The licence files that travel with the Windows program: Quorvel's own licence,
# the notices of everything quorvel.exe links, and every licence text those
# notices name. Qt's part is generated from Qt's own attribution files, scanned
# when Qt was built (scripts/windows-libs.sh keeps them beside Qt); the GCC and
# MinGW-w64 runtimes' part points at Debian's copyright files of them.
# Installs LICENSE.txt, THIRD-PARTY-NOTICES.txt and licenses\ beside the program,
# every one with the CR LF line ends that Windows' own editors expect.

# Writes TEXT into FILE with CR LF line ends, whatever ends its lines had.
function(quorvel_write_for_windows file text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${file}" "${text}")
endfunction()

# Copies the licence text SOURCE into DIR/licenses under NAME and sets VAR to
# its place there, as the notices name it.
function(quorvel_licence var dir source name)
    file(READ "${source}" text)
    quorvel_write_for_windows("${dir}/licenses/${name}" "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
    set(${var} "licenses\\${name}" PARENT_SCOPE)
endfunction()

# One entry of the notices: a heading, then each further argument as an
# indented line (read one by one, as a value may hold a semicolon), the
# "Field: " lines with no value left out.
function(quorvel_notice var heading)
    set(entry "${heading}\n")
    math(EXPR last "${ARGC} - 1")
    foreach(n RANGE 2 ${last})
        set(line "${ARGV${n}}")
        if(NOT line MATCHES "^[A-Za-z ]+: *$")
            string(REPLACE "\n" "\n      " line "${line}")
            string(APPEND entry "    ${line}\n")
        endif()
    endforeach()
    set(${var} "${${var}}${entry}\n" PARENT_SCOPE)
endfunction()

# The text of FILE from the first START on, up to and with the first END after it.
function(quorvel_text_between var file start end)
    file(READ "${file}" text)
    string(FIND "${text}" "${start}" first)
    if(first EQUAL -1)
        message(FATAL_ERROR "${file} holds no \"${start}\"")
    endif()
    string(SUBSTRING "${text}" ${first} -1 text)
    string(FIND "${text}" "${end}" last)
    if(last EQUAL -1)
        message(FATAL_ERROR "${file} holds no \"${end}\" after \"${start}\"")
    endif()
    string(LENGTH "${end}" end_length)
    math(EXPR length "${last} + ${end_length}")
    string(SUBSTRING "${text}" 0 ${length} text)
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

function(quorvel_windows_notices)
    set(qt_notices "${QT6_INSTALL_PREFIX}/share/quorvel-notices")
    set(gcc_copyright /usr/share/doc/gcc-mingw-w64-base/copyright)
    set(mingw_copyright /usr/share/doc/mingw-w64-common/copyright)
    foreach(needed "${qt_notices}/source.txt" "${qt_notices}/release.txt"
                   "${qt_notices}/change.txt" "${gcc_copyright}" "${mingw_copyright}")
        if(NOT EXISTS "${needed}")
            message(FATAL_ERROR "the notices of the Windows program need ${needed}")
        endif()
    endforeach()

    set(dir "${PROJECT_BINARY_DIR}/notices")
    file(REMOVE_RECURSE "${dir}")
    file(MAKE_DIRECTORY "${dir}/licenses")

    file(STRINGS "${qt_notices}/source.txt" qt_source LIMIT_COUNT 1)
    file(STRINGS "${qt_notices}/release.txt" qt_release LIMIT_COUNT 1)
    file(READ "${qt_notices}/change.txt" qt_change)
    string(STRIP "${qt_change}" qt_change)
    string(REGEX REPLACE "^qt6-base ([^+]*).*" "\\1" qt_version "${qt_source}")
    string(REGEX REPLACE "^qt6-base " "" qt_debian_version "${qt_source}")
    quorvel_licence(lgpl "${dir}" "${qt_notices}/licenses/LGPL-3.0-only.txt" LGPL-3.0-only.txt)
    quorvel_licence(gpl "${dir}" "${qt_notices}/licenses/GPL-3.0-only.txt" GPL-3.0-only.txt)

    set(notices "Quorvel for Windows: what quorvel.exe holds, and under which licences

quorvel.exe is one program. Quorvel's own code is under the MIT licence
(LICENSE.txt); linked into the program with it are the parts below.

")

    quorvel_notice(notices "Qt ${qt_version}: Qt Core, Qt GUI, Qt Widgets, the windows platform plugin and the windowsvista style plugin"
        "Licence: GNU Lesser General Public License v3 (${lgpl}), which builds on the GNU General Public License v3 (${gpl})"
        "Source: Debian's source package ${qt_source}, of ${qt_release} (there: apt-get source qt6-base=${qt_debian_version}; or from https://snapshot.debian.org/package/qt6-base/${qt_debian_version}/), built as static libraries by Quorvel's scripts/windows-libs.sh with this one change to it:\n\n${qt_change}"
        "Relinking: Quorvel's source (${PROJECT_HOMEPAGE_URL}) rebuilds quorvel.exe against any Qt. Its scripts/windows.sh builds the Qt above and links the program with it (on ${qt_release}, or in a root of that release on another Debian). To link a Qt of your own, built as static libraries for MinGW-w64, set QUORVEL_WINDOWS_QT to its folder and run: cmake --preset windows -DBUILD_TESTING=OFF && cmake --build --preset windows --target quorvel")

    # The third-party code inside Qt, entry by entry as Qt's attribution files give it.
    string(APPEND notices "Inside Qt, as Qt's own attribution files give it:\n\n")
    file(GLOB scans "${qt_notices}/*.json")
    foreach(scan IN LISTS scans)
        file(READ "${scan}" json)
        string(JSON count LENGTH "${json}")
        if(count EQUAL 0)
            continue()
        endif()
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            foreach(field Id Name Version QtUsage Homepage License Copyright)
                string(JSON entry_${field} ERROR_VARIABLE missing GET "${json}" ${i} ${field})
                if(missing)
                    set(entry_${field} "")
                endif()
            endforeach()
            set(licence "${entry_License}")
            if(EXISTS "${qt_notices}/licenses/${entry_Id}.txt")
                quorvel_licence(text "${dir}" "${qt_notices}/licenses/${entry_Id}.txt"
                                "${entry_Id}.txt")
                string(APPEND licence " (${text})")
            endif()
            string(STRIP "${entry_Name} ${entry_Version}" heading)
            quorvel_notice(notices "${heading}" "${entry_QtUsage}" "Homepage: ${entry_Homepage}"
                "Licence: ${licence}" "Copyright: ${entry_Copyright}")
        endforeach()
    endforeach()

    # The GCC Runtime Library Exception stands in Debian's copyright file of GCC.
    quorvel_text_between(exception "${gcc_copyright}" "GCC RUNTIME LIBRARY EXCEPTION"
                         "requirements of the license of GCC.")
    quorvel_write_for_windows("${dir}/licenses/GCC-exception-3.1.txt" "${exception}\n")
    quorvel_licence(gcc "${dir}" "${gcc_copyright}" gcc-mingw-w64-copyright.txt)
    quorvel_licence(mingw "${dir}" "${mingw_copyright}" mingw-w64-copyright.txt)
    string(APPEND notices "Linked in by the compiler:\n\n")
    string(REGEX MATCH "^[0-9]+" gcc_version "${CMAKE_CXX_COMPILER_VERSION}")
    quorvel_notice(notices "The GCC ${gcc_version} runtime libraries (libstdc++, libgcc), of Debian's GCC for MinGW-w64"
        "Licence: GNU General Public License v3 (${gpl}) with the GCC Runtime Library Exception 3.1 (licenses\\GCC-exception-3.1.txt)"
        "Copyright: as Debian's copyright file of them lists it (${gcc})")
    quorvel_notice(notices "The MinGW-w64 runtime and its POSIX threads library (winpthreads), of Debian's MinGW-w64"
        "Licence and copyright: as Debian's copyright file of them lists them (${mingw}), among them the Zope Public License 2.1 and the MIT licence")

    quorvel_write_for_windows("${dir}/THIRD-PARTY-NOTICES.txt" "${notices}")
    file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
    quorvel_write_for_windows("${dir}/LICENSE.txt" "${licence}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/LICENSE"
                                                                   ${scans} "${qt_notices}/change.txt")

    install(FILES "${dir}/LICENSE.txt" "${dir}/THIRD-PARTY-NOTICES.txt" DESTINATION .)
    install(DIRECTORY "${dir}/licenses" DESTINATION .)
endfunction()

quorvel_windows_notices()
