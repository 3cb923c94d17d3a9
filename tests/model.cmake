# The MilkShape 3D model loader: unit tests on built files, a fuzz target over
# the in-memory parser, and the renderer's refusal of bad model files under Wine.
kestrine_unit_test(ms3d_model_test unit/ms3d_model_test.cpp)
target_link_libraries(ms3d_model_test PRIVATE kestrine_model)

# The loader's source is compiled into the target itself so that libFuzzer's
# coverage instrumentation reaches the parser, not only the entry point.
kestrine_fuzz_target(model_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/model_fuzz.cpp
  ${PROJECT_SOURCE_DIR}/renderer/ms3d_model.cpp
  ${PROJECT_SOURCE_DIR}/files/whole_file.cpp)
if(KESTRINE_FUZZ)
  target_include_directories(model_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
endif()

kestrine_wine_test(renderer_model ${CMAKE_CURRENT_SOURCE_DIR}/wine/renderer_model.sh)
