# The sources' layout: every C++ file as .clang-format gives it.
add_test(NAME source_format COMMAND ${PROJECT_SOURCE_DIR}/tools/check_format.sh)
set_tests_properties(source_format PROPERTIES LABELS style)
