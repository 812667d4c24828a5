# Runs filedata on the sample files and checks output and exit status.
function(expect args expected_out expected_status)
  execute_process(COMMAND ${EMULATOR} ${FILEDATA} ${args}
    WORKING_DIRECTORY ${SAMPLES}/..
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  string(STRIP "${out}" out)
  if(NOT out STREQUAL expected_out OR NOT status EQUAL expected_status)
    message(FATAL_ERROR "filedata ${args}\n  got [${out}] status ${status} (stderr: ${err})\n  want [${expected_out}] status ${expected_status}")
  endif()
endfunction()

expect("--json;FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4" [[{"hr":"S_OK","kind":0,"number":42.5}]] 0)
expect("FILENAME=samples/temp.txt|LINE=0|START=7" "42.5 C" 0)
expect("--json;FILENAME=samples/temp.txt|LINE=9" [[{"hr":"E_FAIL","error":"List index out of bounds (8)"}]] 1)
expect("FILENAME=samples/temp.txt|LINE=9" "" 1)
expect("FILENAME=samples/missing.txt" "Invalid Arguments" 0)
expect("--nonsense" "" 2)
expect("--version" "filedata ${VERSION}" 0)

# The explanation ends with the ordinary answer line, after the steps.
execute_process(COMMAND ${EMULATOR} ${FILEDATA} --explain "FILENAME=samples/temp.txt|LINE=0| START=7|LENGTH=4"
  WORKING_DIRECTORY ${SAMPLES}/.. OUTPUT_VARIABLE out RESULT_VARIABLE status)
foreach(fragment [[pair 3 " START=7": ignored]] [[line: LINE=0 selects the last line: "Temp: 42.5 C"]]
                 [[answer: the host receives S_OK, kind 1, text "Temp"]])
  string(FIND "${out}" "${fragment}" found)
  if(found EQUAL -1 OR NOT status EQUAL 0)
    message(FATAL_ERROR "filedata --explain\n  got [${out}] status ${status}\n  want [${fragment}]")
  endif()
endforeach()
