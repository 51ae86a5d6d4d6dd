# What `cmake --install` puts under the prefix: the programs, their .qm files, the desktop menu
# entry with its launcher, the icons, the AppStream metainfo and the sample items.
set(zq_packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS zq-assistant zq-simulator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The package tool comes from its own folder; these rules work with and without it.
if(TARGET zq-package)
    install(TARGETS zq-package RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET zq-cli)
    install(TARGETS zq-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

file(GLOB zq_ts_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/*.ts)
set(zq_qm_files)
foreach(ts ${zq_ts_files})
    get_filename_component(code ${ts} NAME_WE)
    list(APPEND zq_qm_files ${CMAKE_BINARY_DIR}/bin/${code}.qm)
endforeach()
install(FILES ${zq_qm_files} DESTINATION ${ZQ_TRANSLATIONS_INSTALL_DIR})

install(FILES ${CMAKE_SOURCE_DIR}/sim/sample-items.txt DESTINATION ${ZQ_DATA_INSTALL_DIR})

# The menu launcher finds the assistant relative to itself, so the installed tree can move.
file(RELATIVE_PATH ZQ_LAUNCHER_TO_BIN ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zq-assistant ${CMAKE_INSTALL_FULL_BINDIR})
configure_file(${zq_packaging}/zq-assistant-menu.in ${CMAKE_BINARY_DIR}/packaging/zq-assistant-menu @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/zq-assistant-menu DESTINATION ${ZQ_LAUNCHER_INSTALL_DIR})

# A desktop entry needs the launcher's absolute path, and the prefix is known for certain only when
# installing (`cmake --install --prefix`, or the package's staging), so the entry is written then.
set(zq_desktop ${CMAKE_BINARY_DIR}/packaging/org.zqseries.assistant.desktop)
if(IS_ABSOLUTE ${ZQ_LAUNCHER_INSTALL_DIR})
    set(zq_launcher_path "${ZQ_LAUNCHER_INSTALL_DIR}/zq-assistant-menu")
else()
    set(zq_launcher_path "\${CMAKE_INSTALL_PREFIX}/${ZQ_LAUNCHER_INSTALL_DIR}/zq-assistant-menu")
endif()
install(CODE "
    set(ZQ_MENU_LAUNCHER \"${zq_launcher_path}\")
    configure_file(\"${zq_packaging}/org.zqseries.assistant.desktop.in\" \"${zq_desktop}\" @ONLY)
")
install(FILES ${zq_desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zq_packaging}/org.zqseries.assistant.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(DIRECTORY ${zq_packaging}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/resources/svg/desktop/zq-assistant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
