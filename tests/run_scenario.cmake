# Runs one scenario on the simulated machine and compares what it printed
# with the expected transcript beside it (NAME.out). Set VELMORA_UPDATE=1 in
# the environment to renew the transcript on purpose.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(COPY ${SOURCE_DIR}/skins DESTINATION ${WORK_DIR})
get_filename_component(dir ${SCENARIO} DIRECTORY)
get_filename_component(name ${SCENARIO} NAME_WE)
# With SCALE the same transcript must come out on a desktop of that scale.
set(scale_option)
if(DEFINED SCALE)
  set(scale_option --scale ${SCALE})
endif()
execute_process(COMMAND ${VELMORA} --sim ${SCENARIO} --program-folder ${WORK_DIR} ${scale_option}
                WORKING_DIRECTORY ${WORK_DIR} TIMEOUT 100
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "scenario failed (${rc}):\n${err}\n${out}")
endif()
# Transcripts must not depend on where the tree was built.
string(REPLACE "${WORK_DIR}" "<work>" out "${out}")
set(expected_file ${dir}/${name}.out)
if(DEFINED ENV{VELMORA_UPDATE})
  file(WRITE ${expected_file} "${out}")
  message(STATUS "renewed ${expected_file}")
  return()
endif()
if(NOT EXISTS ${expected_file})
  message(FATAL_ERROR "no expected transcript ${expected_file}; got:\n${out}")
endif()
file(READ ${expected_file} expected)
if(NOT out STREQUAL expected)
  file(WRITE ${WORK_DIR}/actual.out "${out}")
  execute_process(COMMAND diff -u ${expected_file} ${WORK_DIR}/actual.out OUTPUT_VARIABLE d)
  message(FATAL_ERROR "transcript differs from ${expected_file}:\n${d}")
endif()
