# What `cmake --install` puts under the prefix: the programs, their .qm files, the desktop menu
# entry with its launcher, the icons, the AppStream metainfo, the sample items, the manual pages
# and the copyright and changelog.
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
    set(zq_launcher \"${zq_launcher_path}\")
    set(zq_desktop_in \"${zq_packaging}/org.zqseries.assistant.desktop.in\")
    set(zq_desktop \"${zq_desktop}\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/ZqDesktopEntry.cmake\")
")
install(FILES ${zq_desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zq_packaging}/org.zqseries.assistant.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(DIRECTORY ${zq_packaging}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/resources/svg/desktop/zq-assistant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual pages and the package's copyright and changelog, compressed as Debian's policy asks
# (gzip -9n: no name or time stamp, so every build gives the same bytes).
if(NOT WIN32)
    set(zq_compressed)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/man)
    foreach(source man/zq-assistant.1 man/zq-cli.1 man/zq-simulator.1 man/zq-package.1 changelog)
        set(output ${CMAKE_BINARY_DIR}/packaging/${source}.gz)
        add_custom_command(OUTPUT ${output}
            COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${zq_packaging}/${source} ${output}
            DEPENDS ${zq_packaging}/${source} VERBATIM)
        list(APPEND zq_compressed ${output})
    endforeach()
    add_custom_target(zq_compressed_docs ALL DEPENDS ${zq_compressed})
    list(FILTER zq_compressed INCLUDE REGEX "\\.1\\.gz$")
    install(FILES ${zq_compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(zq_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zq-assistant)
    install(FILES ${zq_packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${zq_doc_dir})
endif()

# Lintian's notes for the Debian package, which installs into /usr.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    install(FILES ${zq_packaging}/lintian/zq-assistant DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)
endif()
