# The forms runtime and the custom button in-process, for the dialog's wine tests.
add_executable(ui_forms_probe ${CMAKE_CURRENT_LIST_DIR}/ui_forms_probe.cpp
  ${PROJECT_SOURCE_DIR}/frontend/ui/forms_win32.cpp
  ${PROJECT_SOURCE_DIR}/frontend/ui/picture_win32.cpp
  ${PROJECT_SOURCE_DIR}/frontend/ui/command_button_win32.cpp
  ${PROJECT_SOURCE_DIR}/frontend/ui/resources.rc)
target_link_libraries(ui_forms_probe PRIVATE kestrine_frontend_core
  user32 gdi32 msimg32 ole32 oleaut32 uuid windowscodecs)
set_target_properties(ui_forms_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
