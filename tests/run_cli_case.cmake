# Converts tests/data/<CASE>.lst with the real console program in a scratch
# folder and compares the map byte for byte with tests/data/<CASE>.map.
# Arguments: CLI, DATA_DIR, WORK_DIR, CASE.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${DATA_DIR}/${CASE}.lst" DESTINATION "${WORK_DIR}")
execute_process(
  COMMAND "${CLI}" "${WORK_DIR}/${CASE}.asm"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}: ${err}")
endif()
set(expected_out "PASS 1 >>>>>>>>>>>>>\n Loading ${WORK_DIR}/${CASE}.lst\n Output: ${WORK_DIR}/${CASE}.map\n")
if(NOT out STREQUAL expected_out)
  message(FATAL_ERROR "unexpected output:\n${out}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E compare_files
          "${DATA_DIR}/${CASE}.map" "${WORK_DIR}/${CASE}.map"
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${WORK_DIR}/${CASE}.map differs from ${DATA_DIR}/${CASE}.map")
endif()
