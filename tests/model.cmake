# The MilkShape 3D model loader: unit tests on built files, a fuzz target over
# the in-memory parser, and the renderer's refusal of bad model files under Wine.
kestrine_unit_test(ms3d_model_test unit/ms3d_model_test.cpp)
target_link_libraries(ms3d_model_test PRIVATE kestrine_model)

kestrine_fuzz_target(model_fuzz fuzz/model_fuzz.cpp)
if(KESTRINE_FUZZ)
  target_link_libraries(model_fuzz PRIVATE kestrine_model)
endif()

kestrine_wine_test(renderer_model ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_model.sh)
