# The BMP loader's GDI reference: loads a corpus through the real Windows path.
add_executable(bmp_reference ${PROJECT_SOURCE_DIR}/tests/win/bmp_reference.cpp)
target_link_libraries(bmp_reference PRIVATE kestrine_image)

# Shows the real box from a focused window and checks its owner and modality.
add_executable(bmp_box_owner ${PROJECT_SOURCE_DIR}/tests/win/bmp_box_owner.cpp)
target_link_libraries(bmp_box_owner PRIVATE kestrine_image user32)
