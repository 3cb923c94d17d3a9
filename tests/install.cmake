# The installer end to end under Wine, in a session of its own whose prefix is
# made fresh for each test run: the tests install into its system folder and
# registry, which the other wine tests must not see, and the first one needs a
# prefix where Kestrine was never installed. The packages come from
# ./kestrine build (dist/).
kestrine_wine_session(install_session FRESH)
set(KESTRINE_SETUP "${PROJECT_SOURCE_DIR}/dist/Kestrine-${PROJECT_VERSION}-setup.exe")

set(previous "")
foreach(step silent upgrade uninstall modes)
  kestrine_wine_test(install_${step} ${CMAKE_CURRENT_SOURCE_DIR}/wine/install_${step}.sh
    SESSION install_session ${KESTRINE_SETUP} ${PROJECT_VERSION})
  # In this order when run together: the first install meets the fresh prefix.
  set_tests_properties(install_${step} PROPERTIES TIMEOUT 400 DEPENDS "${previous}")
  set(previous install_${step})
endforeach()

# Two builds of one commit, here and in a clean clone elsewhere, are the same bytes.
add_test(NAME dist_reproducible COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/release/dist_reproducible.sh)
set_tests_properties(dist_reproducible PROPERTIES LABELS release TIMEOUT 900
  ENVIRONMENT "KESTRINE_ROOT=${PROJECT_SOURCE_DIR};KESTRINE_WIN_BUILD=${KESTRINE_WIN_BUILD}")
