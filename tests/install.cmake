# The installer end to end under Wine, in a session of its own whose prefix is
# made fresh for each test run: the tests install into its system folder and
# registry, which the other wine tests must not see, and the first one needs a
# prefix where Kestrine was never installed. The packages come from
# ./kestrine build (dist/).
set(KESTRINE_INSTALL_SESSION "${PROJECT_BINARY_DIR}/install-session")
set(KESTRINE_SETUP "${PROJECT_SOURCE_DIR}/dist/Kestrine-${PROJECT_VERSION}-setup.exe")
add_test(NAME install_session_start COMMAND sh -c "rm -rf \"$1\" && exec \"$0\" start \"$1\""
  ${PROJECT_SOURCE_DIR}/tools/wine_session.sh ${KESTRINE_INSTALL_SESSION})
add_test(NAME install_session_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_session.sh stop ${KESTRINE_INSTALL_SESSION})
set_tests_properties(install_session_start PROPERTIES FIXTURES_SETUP install_session LABELS wine RESOURCE_LOCK wine TIMEOUT 180)
set_tests_properties(install_session_stop PROPERTIES FIXTURES_CLEANUP install_session LABELS wine RESOURCE_LOCK wine)

set(previous "")
foreach(step silent upgrade uninstall)
  add_test(NAME install_${step} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/install_${step}.sh ${KESTRINE_SETUP} ${PROJECT_VERSION})
  # In this order when run together: the first install meets the fresh prefix.
  set_tests_properties(install_${step} PROPERTIES LABELS wine RESOURCE_LOCK wine TIMEOUT 400
    FIXTURES_REQUIRED install_session DEPENDS "${previous}"
    ENVIRONMENT "KESTRINE_ROOT=${PROJECT_SOURCE_DIR};KESTRINE_NATIVE_BUILD=${PROJECT_BINARY_DIR};KESTRINE_WINE_SESSION=${KESTRINE_INSTALL_SESSION}")
  set(previous install_${step})
endforeach()
