# Renderer program: water grid and the main loop's frame bookkeeping.
kestrine_unit_test(water_test unit/water_test.cpp)
target_link_libraries(water_test PRIVATE kestrine_reference kestrine_simulation)
# The same cases against the portable step of targets without SSE2.
kestrine_unit_test(water_scalar_test unit/water_test.cpp)
target_link_libraries(water_scalar_test PRIVATE kestrine_reference kestrine_simulation_scalar)

kestrine_unit_test(frame_cycle_test unit/frame_cycle_test.cpp)
target_link_libraries(frame_cycle_test PRIVATE kestrine_simulation)

# The swap interval for a display's refresh rate; the monitors to cover and
# what becomes of their windows when the monitors change.
kestrine_unit_test(monitors_test unit/monitors_test.cpp)
target_link_libraries(monitors_test PRIVATE kestrine_monitors)

# The real program under Wine: its window, its ways out, the windowed fallback
# (in a session of its own with a 1280 x 720 screen), and the lake on a second
# monitor beside the first (in one with two, side by side: Xephyr inside the
# Xvfb, Xinerama without RandR, the X root white). The second changes the
# prefix's scale.
kestrine_wine_test(renderer_window ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_window.sh)
# Its pace where vertical sync does not hold, and its rests while the display
# is off or the session has no display.
kestrine_wine_test(renderer_pacing ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_pacing.sh)
kestrine_wine_session(windowed_session FRESH SCREEN 1280x720x24)
kestrine_wine_test(renderer_windowed ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_windowed.sh SESSION windowed_session)
kestrine_wine_session(monitors_session FRESH SCREEN 1824x768x24 --xephyr -screen 1024x768 -screen 800x600 +xinerama
  -extension RANDR -wr)
kestrine_wine_test(renderer_monitors ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_monitors.sh SESSION monitors_session)
# Monitors that come, go and change size while the saver runs, and a mode
# given back under it: Xorg with the dummy driver, whose outputs xrandr
# connects and whose modes Wine really switches.
kestrine_wine_session(displays_session FRESH SCREEN --xorg)
kestrine_wine_test(renderer_displays ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_displays.sh SESSION displays_session)

# The viewport and projection set on resize, read back from an offscreen context.
add_executable(viewport_test render/viewport_test.cpp)
target_link_libraries(viewport_test PRIVATE kestrine_offscreen GTest::gtest GTest::gtest_main)
add_test(NAME viewport_test COMMAND viewport_test)
# OSMesa keeps per-context allocations to the end of the process, which the
# leak checker of a sanitizer build would report as ours.
set_tests_properties(viewport_test PROPERTIES LABELS render ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
