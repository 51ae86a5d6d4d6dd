# The Debian package: `bash scripts/package.sh` configures with the /usr prefix and runs cpack.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zq-assistant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZQ assistant developers")
set(CPACK_PACKAGE_CONTACT "ZQ assistant developers <developers@zqseries.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration assistant for instruments of the ZQ series")
set(CPACK_PACKAGE_DESCRIPTION
    "Connects one instrument of the ZQ series by serial port or UDP; reads, edits and writes its
configuration, sets its clock, reads and exports its history, watches its traffic, finds
instruments on the local network and writes new firmware into them. Includes an instrument
simulator for trying it without an instrument.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the SQLite driver is a plug-in loaded at run time (firmware packages
# are SQLite files), the interface texts are Chinese, and Qt's own dialogs and buttons take their
# words from Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite, fonts-noto-cjk, qttranslations5-l10n")

include(CPack)
