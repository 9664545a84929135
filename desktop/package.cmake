# cpack -G DEB in the build folder: the installed tree as one Debian package, its
# dependencies worked out from the libraries the programs link.
set(CPACK_PACKAGE_NAME ${SUITE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "HF antenna suite developers <suite@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HF antenna and feed-line engineering tools")
set(CPACK_PACKAGE_DESCRIPTION "Desktop tools for radio amateurs. Kavlo is a transmission-line calculator\n\
and tuner designer. Qelt is a Yagi analyser with its computing engine. Brisco\n\
assesses the terrain of tower sites with its terrain engine. Calibrix makes\n\
power-meter calibration tables. Each program has a command-line companion.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Only the suite's own files: tests and build tools are not installed.
set(CPACK_STRIP_FILES ON)
include(CPack)
