# The full frame at 1024 x 768 offscreen and its parts: water step, stone and
# splash update, mesh draw.
add_executable(bench_scene ${CMAKE_CURRENT_LIST_DIR}/bench_scene.cpp)
target_link_libraries(bench_scene PRIVATE kestrine_offscreen)
