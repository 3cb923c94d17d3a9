# The failure log's and the crash reports' portable rules; the wine tests of
# the programs that write them (renderer_*.sh, frontend_*.sh) check the files.
kestrine_unit_test(diagnostics_test ${CMAKE_CURRENT_SOURCE_DIR}/unit/diagnostics_test.cpp)
target_link_libraries(diagnostics_test PRIVATE kestrine_diagnostics)
