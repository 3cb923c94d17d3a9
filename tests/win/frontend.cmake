# Test programs for the front end's wine tests.
set(frontend_test_dir ${CMAKE_CURRENT_BINARY_DIR})

# A top-level window with a given caption: a "running copy" for the
# single-instance test.
add_executable(frontend_window_maker WIN32 ${CMAKE_CURRENT_LIST_DIR}/frontend_window_maker.cpp)
target_link_libraries(frontend_window_maker PRIVATE user32)
target_include_directories(frontend_window_maker PRIVATE ${PROJECT_SOURCE_DIR})

# A host page with a 152 x 112 preview window that starts Kestrine.scr /p.
add_executable(frontend_preview_host ${CMAKE_CURRENT_LIST_DIR}/frontend_preview_host.cpp)
target_link_libraries(frontend_preview_host PRIVATE user32 gdi32)

# The music player over the real winmm.
add_executable(frontend_mci ${CMAKE_CURRENT_LIST_DIR}/frontend_mci.cpp ${PROJECT_SOURCE_DIR}/frontend/music_win32.cpp)
target_link_libraries(frontend_mci PRIVATE kestrine_frontend_core winmm)

# The settings helpers over the real profile functions.
add_executable(frontend_ini ${CMAKE_CURRENT_LIST_DIR}/frontend_ini.cpp ${PROJECT_SOURCE_DIR}/frontend/settings_win32.cpp)
target_link_libraries(frontend_ini PRIVATE kestrine_frontend_core shell32)

set_target_properties(frontend_window_maker frontend_preview_host frontend_mci frontend_ini
  PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${frontend_test_dir})

# Finds a window by caption from another process (visible or not), or ends
# its process by id.
add_executable(frontend_window_probe ${CMAKE_CURRENT_LIST_DIR}/frontend_window_probe.cpp)
target_link_libraries(frontend_window_probe PRIVATE user32 shell32)
set_target_properties(frontend_window_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${frontend_test_dir})

# The preview form hosted in-process, its picture written to a file.
add_executable(frontend_preview_picture ${CMAKE_CURRENT_LIST_DIR}/frontend_preview_picture.cpp
  ${PROJECT_SOURCE_DIR}/frontend/preview_mode_win32.cpp)
target_link_libraries(frontend_preview_picture PRIVATE kestrine_forms)
set_target_properties(frontend_preview_picture PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${frontend_test_dir})

# A program's manifest resource, and the DPI settings the system reads from
# it; its version resource and name string.
add_executable(frontend_manifest_reader ${CMAKE_CURRENT_LIST_DIR}/frontend_manifest_reader.cpp)
target_link_libraries(frontend_manifest_reader PRIVATE kernel32 version)
set_target_properties(frontend_manifest_reader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${frontend_test_dir})
