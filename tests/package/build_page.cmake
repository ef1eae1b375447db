# Installs the development files of a build tree into a temporary prefix, builds the page in
# page/ against that prefix alone, and runs it headless.
# Variables: BUILD_DIR (the project's build tree), WORK_DIR (scratch), GENERATOR.
file(REMOVE_RECURSE "${WORK_DIR}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix" --component Development)
run("${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}/page" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix")
run("${CMAKE_COMMAND}" --build "${WORK_DIR}/build")
run("${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "${WORK_DIR}/build/page")
