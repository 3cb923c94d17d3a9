# The BMP loader: unit tests on crafted files, the fuzz target, the corpus
# tools and the wine tests against GDI.
add_library(bmp_builder STATIC ${CMAKE_CURRENT_SOURCE_DIR}/bmp_corpus/bmp_builder.cpp)
target_include_directories(bmp_builder PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(bmp_corpus_writer ${CMAKE_CURRENT_SOURCE_DIR}/bmp_corpus/bmp_corpus_writer.cpp)
target_link_libraries(bmp_corpus_writer PRIVATE bmp_builder)

# The same dump program as tests/win/bmp_reference, over the native converter.
add_executable(bmp_native_reference ${CMAKE_CURRENT_SOURCE_DIR}/win/bmp_reference.cpp)
target_link_libraries(bmp_native_reference PRIVATE kestrine_image)

kestrine_unit_test(bmp_loader_test
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/bmp_loader_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/bmp_converter_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/unit/bmp_truncation_test.cpp)
target_link_libraries(bmp_loader_test PRIVATE kestrine_image bmp_builder)

# The loader's sources are compiled into the target itself so that libFuzzer's
# coverage instrumentation reaches them.
kestrine_fuzz_target(bmp_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/bmp_fuzz.cpp
  ${PROJECT_SOURCE_DIR}/renderer/image/bmp_loader.cpp
  ${PROJECT_SOURCE_DIR}/renderer/image/dib_converter.cpp
  ${PROJECT_SOURCE_DIR}/renderer/image/bmp_platform_native.cpp
  ${PROJECT_SOURCE_DIR}/files/whole_file.cpp)
if(KESTRINE_FUZZ)
  target_include_directories(bmp_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(bmp_fuzz PRIVATE kestrine_diagnostics)
endif()

kestrine_wine_test(bmp_differential ${CMAKE_CURRENT_SOURCE_DIR}/wine/bmp_differential.sh)
kestrine_wine_test(bmp_error_box ${CMAKE_CURRENT_SOURCE_DIR}/wine/bmp_error_box.sh)
