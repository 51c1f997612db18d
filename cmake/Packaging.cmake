# A Debian package of the installed program: cpack -G DEB in a build directory.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Video bitrate calculator")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION
    "Works out the video bitrate that makes an encode fit a CD or a size of your own, from the audio bitrate and the running time.")
set(CPACK_STRIP_FILES ON)
include(CPack)
