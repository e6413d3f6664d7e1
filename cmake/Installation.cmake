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
