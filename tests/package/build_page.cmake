# Installs the development files of a build tree into a temporary prefix, builds a page project
# (page/ unless PAGE_DIR names another) against that prefix alone, and runs its PROGRAM (page)
# headless.
# Variables: BUILD_DIR (the project's build tree), WORK_DIR (scratch), GENERATOR; optional
# PAGE_DIR, PAGE_ARGS (one more configure argument), PROGRAM.
file(REMOVE_RECURSE "${WORK_DIR}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

run("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix" --component Development)
if(NOT PAGE_DIR)
  set(PAGE_DIR "${CMAKE_CURRENT_LIST_DIR}/page")
endif()
if(NOT PROGRAM)
  set(PROGRAM page)
endif()
run("${CMAKE_COMMAND}" -S "${PAGE_DIR}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" ${PAGE_ARGS})
run("${CMAKE_COMMAND}" --build "${WORK_DIR}/build")
run("${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "${WORK_DIR}/build/${PROGRAM}")
