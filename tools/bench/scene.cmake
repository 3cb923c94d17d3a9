# The scene at 1024 x 768 offscreen, the water mesh from vertex arrays against
# its immediate-mode reference: the mesh alone (on Mesa's no-op driver and on
# the software rasteriser) and whole frames.
add_executable(bench_scene ${CMAKE_CURRENT_LIST_DIR}/bench_scene.cpp)
target_link_libraries(bench_scene PRIVATE kestrine_reference kestrine_offscreen)
