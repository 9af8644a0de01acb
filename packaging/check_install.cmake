# Installs the build into a scratch DESTDIR and compares the files installed
# with the expected list (one path per line, relative to the prefix).
set(root ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${root})
# cmake --install reads DESTDIR from the environment.
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${errors}")
endif()
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root}/usr ${root}/usr/*)
list(FILTER found EXCLUDE REGEX "^share/varmonix/examples/")
list(SORT found)
file(STRINGS ${EXPECTED} expected)
list(SORT expected)
if(NOT found STREQUAL expected)
  string(REPLACE ";" "\n  " f "${found}")
  string(REPLACE ";" "\n  " e "${expected}")
  message(FATAL_ERROR "installed:\n  ${f}\nexpected:\n  ${e}")
endif()
if(NOT EXISTS ${root}/usr/share/varmonix/examples/datalog/000001.csv)
  message(FATAL_ERROR "the sample folder is not installed")
endif()
file(REMOVE_RECURSE ${root})
