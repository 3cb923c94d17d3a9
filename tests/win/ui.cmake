# The forms runtime and the custom button in-process, for the dialog's wine tests.
add_executable(ui_forms_probe ${CMAKE_CURRENT_LIST_DIR}/ui_forms_probe.cpp)
target_link_libraries(ui_forms_probe PRIVATE kestrine_forms)
set_target_properties(ui_forms_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
