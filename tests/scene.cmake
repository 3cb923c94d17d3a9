# The scene, the stone and its splash: unit tests without GL, offscreen render
# tests, and the real renderer's picture under Wine.
kestrine_unit_test(splash_test unit/splash_test.cpp)
target_link_libraries(splash_test PRIVATE kestrine_scene)
