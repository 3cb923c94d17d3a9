# kestrine_expected_contract(DIR): DIR/expected_contract.h, the macros
# EXPECTED_<NAME> for each "name value" line of tests/saver_contract.txt:
# what the two programs must agree on, as the tests state it, made into C
# string literals (\xHH a byte).
function(kestrine_expected_contract dir)
  set(values ${PROJECT_SOURCE_DIR}/tests/saver_contract.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${values})
  file(STRINGS ${values} lines REGEX "^[a-z_]+ ")
  set(header "// Made by cmake/expected_contract.cmake from tests/saver_contract.txt.\n#pragma once\n")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([a-z_]+) (.*)$" _ "${line}")
    string(TOUPPER "${CMAKE_MATCH_1}" name)
    # C's escapes: backslashes doubled but for \xHH, which ends its literal.
    string(REPLACE "\\" "\\\\" value "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "\\\\\\\\x([0-9a-fA-F][0-9a-fA-F])" "\\\\x\\1\" \"" value "${value}")
    string(APPEND header "#define EXPECTED_${name} \"${value}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${dir}/expected_contract.h CONTENT "${header}")
endfunction()
