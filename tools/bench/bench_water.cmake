# One water step, against the plain row-by-row step that must give the same bits.
add_executable(bench_water ${CMAKE_CURRENT_LIST_DIR}/bench_water.cpp)
target_link_libraries(bench_water PRIVATE kestrine_reference kestrine_simulation)
