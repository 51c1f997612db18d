# The installed program as packages, by cpack in a build directory: a Debian
# package on Linux; a portable zip and an NSIS installer on Windows.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "${QUORVEL_MAKER}")
set(CPACK_PACKAGE_CONTACT "${QUORVEL_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Video bitrate calculator")
set(CPACK_PACKAGE_VERSION ${QUORVEL_PACKAGE_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
if(WIN32)
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_FILE_NAME "quorvel-${CPACK_PACKAGE_VERSION}-windows-x64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quorvel")
    # A Start-menu entry for the program, which stands at the top of its folder.
    set(CPACK_PACKAGE_EXECUTABLES quorvel "Quorvel")
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_DISPLAY_NAME "Quorvel")
    set(CPACK_NSIS_PACKAGE_NAME "Quorvel")
    set(CPACK_NSIS_INSTALLED_ICON_NAME quorvel.exe)
    set(CPACK_NSIS_MUI_ICON "${QUORVEL_ICON_DIR}/quorvel.ico")
    set(CPACK_NSIS_MUI_UNIICON "${QUORVEL_ICON_DIR}/quorvel.ico")
    set(CPACK_NSIS_URL_INFO_ABOUT "${PROJECT_HOMEPAGE_URL}")
    # A 64-bit installer into the 64-bit program folder: the program is 64-bit.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
else()
    set(CPACK_GENERATOR DEB)
    # quorvel_1.0.0-1~deb12u1_amd64.deb: the release it was built for in its name.
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${QUORVEL_DEBIAN_REVISION})
    set(CPACK_DEBIAN_PACKAGE_SECTION video)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The faces the window is drawn in, to the widths it was laid out for.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
endif()
# Lines of at most 80 characters, as a package description needs them.
set(CPACK_PACKAGE_DESCRIPTION
    "Works out the video bitrate that makes an encode fit a CD or a size of\n"
    "your own, from the audio bitrate and the running time.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
include(CPack)
