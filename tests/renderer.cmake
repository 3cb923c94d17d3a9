# Renderer program: water grid and the main loop's frame bookkeeping.
kestrine_unit_test(water_test unit/water_test.cpp)
target_link_libraries(water_test PRIVATE kestrine_water)

kestrine_unit_test(frame_cycle_test unit/frame_cycle_test.cpp ${PROJECT_SOURCE_DIR}/renderer/frame_cycle.cpp)
target_include_directories(frame_cycle_test PRIVATE ${PROJECT_SOURCE_DIR})
