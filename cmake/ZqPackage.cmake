# The Debian package: `bash scripts/package.sh` configures with the /usr prefix and runs cpack.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zq-assistant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZQ assistant developers")
set(CPACK_PACKAGE_CONTACT "ZQ assistant developers <developers@zqseries.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration assistant for instruments of the ZQ series")
# Debian shows the description in 80 columns: each line stays under that.
set(CPACK_PACKAGE_DESCRIPTION
    "Connects one instrument of the ZQ series by serial port or UDP; reads, edits
and writes its configuration, sets its clock, reads and exports its history,
watches its traffic, finds instruments on the local network and writes new
firmware into them. The command-line tool zq-cli does the same work without a
window, and an instrument simulator lets one try it without an instrument.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped in the staging folder by a script of ours: cpack's own stripping keeps the .comment and
# .note sections, which Debian's packages leave out.
set(CPACK_STRIP_FILES OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/ZqPackageStrip.cmake)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the SQLite driver is a plug-in loaded at run time (firmware packages
# are SQLite files), the interface texts are Chinese, and Qt's own dialogs and buttons take their
# words from Qt's translations.
# The chart's library, libqwt-qt5-6, is found by dpkg-shlibdeps; it is named here as well so that
# the package states it whatever the build found.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite, fonts-noto-cjk, qttranslations5-l10n, libqwt-qt5-6")

include(CPack)
