# What `cmake --install` puts where (GNUInstallDirs): the programs in bin/; the help, the
# desktop entry, the AppStream metainfo and the icons under share/; the man pages, English and
# Japanese. An installed program finds its shared files relative to its own folder.
set(TARNWICK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tarnwick)
install(TARGETS tarnwick-run tarnwick-grade RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The man pages carry the version; they are installed compressed, as Debian keeps them.
set(MAN_PAGES tarnwick-run tarnwick-grade)
if(TARNWICK_GUI)
  list(APPEND MAN_PAGES tarnwick)
endif()
set(MAN_ARCHIVES)
foreach(LANGUAGE en ja)
  if(LANGUAGE STREQUAL "en")
    set(MAN_DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    set(MAN_DESTINATION ${CMAKE_INSTALL_MANDIR}/${LANGUAGE}/man1)
  endif()
  foreach(PAGE ${MAN_PAGES})
    set(MAN_PAGE ${CMAKE_BINARY_DIR}/man/${LANGUAGE}/${PAGE}.1)
    configure_file(${CMAKE_SOURCE_DIR}/resources/man/${LANGUAGE}/${PAGE}.1.in ${MAN_PAGE} @ONLY)
    add_custom_command(
      OUTPUT ${MAN_PAGE}.gz
      COMMAND gzip -9nkf ${MAN_PAGE}
      DEPENDS ${MAN_PAGE}
      COMMENT "Compressing the man page ${LANGUAGE}/${PAGE}.1")
    list(APPEND MAN_ARCHIVES ${MAN_PAGE}.gz)
    install(FILES ${MAN_PAGE}.gz DESTINATION ${MAN_DESTINATION})
  endforeach()
endforeach()
add_custom_target(tarnwick_man ALL DEPENDS ${MAN_ARCHIVES})

# The package's own documents, where Debian keeps them: the copyright file and the changelog,
# made from the version history and compressed as Debian keeps it.
set(TARNWICK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)
# The engine is named where the programs carry it (linked from its static library).
set(TARNWICK_COPYRIGHT_ENGINE "")
if(SQLITE3_ARCHIVE)
  string(CONCAT TARNWICK_COPYRIGHT_ENGINE
    "Files: usr/bin/*\n"
    "Copyright: 2026 The Tarnwick developers\n"
    "License: LicenseRef-proprietary and public-domain\n"
    "Comment:\n"
    " The programs carry the SQLite database engine, linked into them from Debian's\n"
    " libsqlite3-dev (version ${SQLITE3_VERSION}). The authors of SQLite disclaim\n"
    " copyright to it and have placed it in the public domain.\n\n")
endif()
set(PACKAGE_DOCS ${CMAKE_BINARY_DIR}/package)
configure_file(${CMAKE_SOURCE_DIR}/resources/package/copyright.in ${PACKAGE_DOCS}/copyright @ONLY)
file(CONFIGURE OUTPUT ${PACKAGE_DOCS}/changelog CONTENT "${TARNWICK_DEBIAN_CHANGELOG}")
add_custom_command(
  OUTPUT ${PACKAGE_DOCS}/changelog.gz
  COMMAND gzip -9nkf ${PACKAGE_DOCS}/changelog
  DEPENDS ${PACKAGE_DOCS}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(tarnwick_changelog ALL DEPENDS ${PACKAGE_DOCS}/changelog.gz)
install(FILES ${PACKAGE_DOCS}/copyright ${PACKAGE_DOCS}/changelog.gz
        DESTINATION ${TARNWICK_DOC_DIR})

if(TARNWICK_GUI)
  install(TARGETS tarnwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${HELP_HTML} ${HELP_FILE} DESTINATION ${TARNWICK_DATA_DIR})
  install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/tarnwick.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(METAINFO ${CMAKE_BINARY_DIR}/org.tarnwick.tarnwick.metainfo.xml)
  configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/tarnwick.metainfo.xml.in ${METAINFO} @ONLY)
  install(FILES ${METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()
