# The BMP loader's GDI reference: loads a corpus through the real Windows path.
add_executable(bmp_reference ${PROJECT_SOURCE_DIR}/tests/win/bmp_reference.cpp)
target_link_libraries(bmp_reference PRIVATE kestrine_image)
