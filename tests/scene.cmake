# The scene, the stone and its splash: unit tests without GL, offscreen render
# tests, and the real renderer's picture under Wine.
kestrine_unit_test(splash_test unit/splash_test.cpp)
target_link_libraries(splash_test PRIVATE kestrine_scene)

# Offscreen frames of the real scene code (OSMesa, 1024 x 768).
add_executable(scene_render_test render/scene_render_test.cpp render/scene_probes.cpp)
target_link_libraries(scene_render_test PRIVATE kestrine_offscreen GTest::gtest GTest::gtest_main)
# One CTest test per case (scene_render.*), so the long ones run side by side.
gtest_discover_tests(scene_render_test TEST_PREFIX "scene_render."
  PROPERTIES LABELS render TIMEOUT 600
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/render/osmesa_leaks.supp")

# The first frame's colours at the probe points for staged pictures: the Wine
# test's reference.
add_executable(scene_probe_colours render/scene_probe_colours.cpp render/scene_probes.cpp)
target_link_libraries(scene_probe_colours PRIVATE kestrine_offscreen)
target_include_directories(scene_probe_colours PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/expected)

kestrine_wine_test(scene_screenshot ${CMAKE_CURRENT_SOURCE_DIR}/wine/scene_screenshot.sh)

# The water mesh's vertex arrays against its immediate-mode definition, frame
# by frame and byte for byte, on Mesa's softpipe (see the test's comment).
add_executable(mesh_render_test render/mesh_render_test.cpp)
target_link_libraries(mesh_render_test PRIVATE kestrine_reference kestrine_offscreen GTest::gtest GTest::gtest_main)
add_test(NAME mesh_render_test COMMAND mesh_render_test)
set_tests_properties(mesh_render_test PROPERTIES LABELS render TIMEOUT 600
  ENVIRONMENT "GALLIUM_DRIVER=softpipe;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/render/osmesa_leaks.supp")
