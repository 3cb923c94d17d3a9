# The committed pictures and model file: formats, sizes and contents; that
# the generator reproduces them; that the model and the staged scene
# pictures load with the renderer's own loaders.
kestrine_unit_test(assets_test
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/assets_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/asset_encoders_test.cpp)
target_link_libraries(assets_test PRIVATE kestrine_assetgen_core kestrine_model kestrine_image)
target_compile_definitions(assets_test PRIVATE KESTRINE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

kestrine_unit_test(assets_regeneration_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/assets_regeneration_test.cpp)
target_link_libraries(assets_regeneration_test PRIVATE kestrine_assetgen_core)
target_compile_definitions(assets_regeneration_test PRIVATE KESTRINE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
set_tests_properties(assets_regeneration_test PROPERTIES TIMEOUT 600)

# The preview thumbnail, rendered again offscreen, matches the committed one.
add_test(NAME preview_thumbnail_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/render/preview_thumbnail_test.sh $<TARGET_FILE:kestrine_previewgen> ${PROJECT_SOURCE_DIR}/assets)
set_tests_properties(preview_thumbnail_test PROPERTIES LABELS render TIMEOUT 300)
if(KESTRINE_SANITIZE)
  # OSMesa keeps a few allocations of its own until the process ends.
  set_tests_properties(preview_thumbnail_test PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
