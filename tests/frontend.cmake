# The saver front end: unit tests over the portable core; wine tests over the
# real Kestrine.scr.
kestrine_unit_test(command_line_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/command_line_test.cpp)
target_link_libraries(command_line_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(settings_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/settings_test.cpp)
target_link_libraries(settings_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(music_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/music_test.cpp)
target_link_libraries(music_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(show_mode_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/show_mode_test.cpp)
target_link_libraries(show_mode_test PRIVATE kestrine_frontend_core)
kestrine_unit_test(staging_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/staging_test.cpp)
target_link_libraries(staging_test PRIVATE kestrine_frontend_core)

kestrine_wine_test(frontend_settings ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_settings.sh)
kestrine_wine_test(frontend_music ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_music.sh)
kestrine_wine_test(frontend_startup ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_startup.sh)
kestrine_wine_test(frontend_show ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_show.sh)
# After a second saver on a desktop of its own, the session's later full-screen
# mode changes fail (measured): the links test has a session to itself.
kestrine_wine_session(links_session)
kestrine_wine_test(frontend_links ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_links.sh SESSION links_session)
kestrine_wine_test(frontend_preview ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_preview.sh)
kestrine_wine_test(frontend_manifest ${CMAKE_CURRENT_SOURCE_DIR}/wine/frontend_manifest.sh)

kestrine_fuzz_target(frontend_text_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/frontend_text_fuzz.cpp)
if(KESTRINE_FUZZ)
  target_link_libraries(frontend_text_fuzz PRIVATE kestrine_frontend_core)
endif()
