# The settings dialog, the custom button and the window layouts.
kestrine_unit_test(button_state_test unit/button_state_test.cpp)
target_link_libraries(button_state_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(layouts_test unit/layouts_test.cpp)
target_link_libraries(layouts_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(picture_test unit/picture_test.cpp)
target_link_libraries(picture_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(settings_dialog_test unit/settings_dialog_test.cpp)
target_link_libraries(settings_dialog_test PRIVATE kestrine_frontend_core)

# The real dialog under Wine (Kestrine.scr /c).
foreach(script dialog_forms_runtime dialog_look dialog_choice dialog_confirm dialog_cancel dialog_file
    dialog_user_settings)
  kestrine_wine_test(${script} ${CMAKE_CURRENT_SOURCE_DIR}/wine/${script}.sh)
endforeach()

# The dialog at 120, 144 and 192 dots per inch, in a Wine session of its own:
# the test changes the prefix's scale, which the other wine tests must not see.
set(KESTRINE_SCALED_SESSION "${PROJECT_BINARY_DIR}/scaled-session")
add_test(NAME scaled_session_start COMMAND sh -c "rm -rf \"$1\" && exec \"$0\" start \"$1\""
  ${PROJECT_SOURCE_DIR}/tools/wine_session.sh ${KESTRINE_SCALED_SESSION})
add_test(NAME scaled_session_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_session.sh stop ${KESTRINE_SCALED_SESSION})
set_tests_properties(scaled_session_start PROPERTIES FIXTURES_SETUP scaled_session LABELS wine RESOURCE_LOCK wine TIMEOUT 180)
set_tests_properties(scaled_session_stop PROPERTIES FIXTURES_CLEANUP scaled_session LABELS wine RESOURCE_LOCK wine)
add_test(NAME dialog_scaled COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine/dialog_scaled.sh)
set_tests_properties(dialog_scaled PROPERTIES LABELS wine RESOURCE_LOCK wine TIMEOUT 400
  FIXTURES_REQUIRED scaled_session
  ENVIRONMENT "KESTRINE_ROOT=${PROJECT_SOURCE_DIR};KESTRINE_WIN_BUILD=${KESTRINE_WIN_BUILD};KESTRINE_NATIVE_BUILD=${PROJECT_BINARY_DIR};KESTRINE_WINE_SESSION=${KESTRINE_SCALED_SESSION}")
