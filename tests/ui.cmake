# The settings dialog, the custom button and the window layouts.
kestrine_unit_test(button_state_test unit/button_state_test.cpp)
target_link_libraries(button_state_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(layouts_test unit/layouts_test.cpp)
target_link_libraries(layouts_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(picture_test unit/picture_test.cpp)
target_link_libraries(picture_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(settings_dialog_test unit/settings_dialog_test.cpp)
target_link_libraries(settings_dialog_test PRIVATE kestrine_frontend_core)

# The real dialog under Wine (Kestrine.scr /c), in a session of its own so
# that it runs beside the other wine tests.
kestrine_wine_session(dialog_session)
foreach(script dialog_forms_runtime dialog_look dialog_choice dialog_confirm dialog_cancel dialog_file
    dialog_user_settings)
  kestrine_wine_test(${script} ${CMAKE_CURRENT_SOURCE_DIR}/wine/${script}.sh SESSION dialog_session)
endforeach()

# The dialog at 120, 144 and 192 dots per inch, in a Wine session of its own:
# the test changes the prefix's scale, which the other wine tests must not see.
kestrine_wine_session(scaled_session FRESH)
kestrine_wine_test(dialog_scaled ${CMAKE_CURRENT_SOURCE_DIR}/wine/dialog_scaled.sh SESSION scaled_session)
set_tests_properties(dialog_scaled PROPERTIES TIMEOUT 400)
