# The sample database "販売管理" (tarnwick-sample.mdb), made from its script by tarnwick-run, so
# that it is exactly a database of ours; beside the programs in the build, under share/tarnwick/
# in an installation. The help's tutorial and examples use it.
set(SAMPLE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/sample/tarnwick-sample.sql)
set(SAMPLE_DATABASE ${CMAKE_BINARY_DIR}/tarnwick-sample.mdb)
set(SAMPLE_WORK ${CMAKE_BINARY_DIR}/sample-work)
# Made beside, then moved into place: a failed run leaves no half-made sample behind.
add_custom_command(
  OUTPUT ${SAMPLE_DATABASE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SAMPLE_WORK}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SAMPLE_WORK}
  COMMAND $<TARGET_FILE:tarnwick-run> --db ${SAMPLE_WORK}/tarnwick-sample.mdb --new --compact
          ${SAMPLE_SCRIPT} > ${SAMPLE_WORK}/transcript.txt
  COMMAND ${CMAKE_COMMAND} -E rename ${SAMPLE_WORK}/tarnwick-sample.mdb ${SAMPLE_DATABASE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SAMPLE_WORK}
  DEPENDS tarnwick-run ${SAMPLE_SCRIPT}
  COMMENT "Making the sample database")
add_custom_target(tarnwick_sample ALL DEPENDS ${SAMPLE_DATABASE})
install(FILES ${SAMPLE_DATABASE} DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnwick)
