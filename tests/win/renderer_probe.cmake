# Looks at and pokes the renderer's window from another process.
add_executable(renderer_probe ${CMAKE_CURRENT_LIST_DIR}/renderer_probe.cpp)
set_target_properties(renderer_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(renderer_probe PRIVATE user32)
target_include_directories(renderer_probe PRIVATE ${PROJECT_SOURCE_DIR})
