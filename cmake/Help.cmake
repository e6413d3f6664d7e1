# The help document's tests (tests/help): every example against what the console prints on the
# sample database, the reference's entries and the tutorial's parts, and the HTML itself (tidy).
# help_examples_update writes the console's output into the examples, for the help's author.
set(HELP_DOCUMENT ${CMAKE_SOURCE_DIR}/resources/help/tarnwick.html)
set(HELP_TEST_DEFINITIONS TARNWICK_HELP_SOURCE="${HELP_DOCUMENT}"
                          TARNWICK_SAMPLE_DATABASE="${SAMPLE_DATABASE}")
tarnwick_test_suite(help_tests help)
target_compile_definitions(help_tests PRIVATE ${HELP_TEST_DEFINITIONS})
add_dependencies(help_tests tarnwick_sample)
# tarnwick-run --sample finds the sample beside itself.
add_dependencies(runner_tests tarnwick_sample)

add_executable(help_examples_update ${CMAKE_SOURCE_DIR}/tools/UpdateHelpExamples.cpp
                                    ${CMAKE_SOURCE_DIR}/tests/help/HelpDocument.cpp)
target_link_libraries(help_examples_update PRIVATE tarnwick_test_support)
target_compile_definitions(help_examples_update PRIVATE ${HELP_TEST_DEFINITIONS}
                           TARNWICK_RUN_PATH="$<TARGET_FILE:tarnwick-run>")
add_dependencies(help_examples_update tarnwick-run tarnwick_sample)

add_test(NAME help_html_valid COMMAND tidy -q -e -utf8 ${HELP_DOCUMENT})
