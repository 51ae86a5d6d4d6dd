# Where an installed assistant keeps its files, known both to the install rules and to the code that
# looks for the .qm files relative to the installed program.
include(GNUInstallDirs)
set(ZQ_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/zq-assistant)
set(ZQ_TRANSLATIONS_INSTALL_DIR ${ZQ_DATA_INSTALL_DIR}/translations)
set(ZQ_LAUNCHER_INSTALL_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zq-assistant)
