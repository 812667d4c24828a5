# Runs filedata-host on the built plug-in DLL and checks output and exit status.
function(expect args expected_fragment expected_status)
  execute_process(COMMAND ${EMULATOR} ${HOST} ${args}
    WORKING_DIRECTORY ${SAMPLES}/..
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  string(FIND "${out}" "${expected_fragment}" found)
  if(found EQUAL -1 OR NOT status EQUAL expected_status)
    message(FATAL_ERROR "filedata-host ${args}\n  got [${out}] status ${status} (stderr: ${err})\n"
                        "  want [${expected_fragment}] status ${expected_status}")
  endif()
endfunction()

set(query "FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4")
# Every reference released, so the library says it may go.
expect("--json;--dll;${PLUGIN};${query}"
  [[,"updateLocation":"http://qelt.example.com/update/filedata.upd","lastErrorText":"No error"},"params":"FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4","answer":{"hr":"S_OK","kind":0,"number":42.5},"canUnloadNow":"S_OK"}]]
  0)
expect("--dll;${PLUGIN};FILENAME=samples/temp.txt|LINE=9" [[Answer           E_FAIL, last-error text "List index out of bounds (8)"]] 1)
expect("--dll;${PLUGIN}" "Filename  default \"MyTestFile.txt\", editor 5 with text \"\"" 0)
expect("--dll;missing.dll;${query}" "" 1)
# The DLL's own explanation, and the tools hold no query of their own.
expect("--explain;--dll;${PLUGIN};${query}" "line: LINE=0 selects the last line: \"Temp: 42.5 C\"" 0)
expect("--explain;--json;--dll;${PLUGIN};${query}"
  [=["detail":"the host receives S_OK, kind 0, number 42.5","hr":"S_OK","kind":0,"number":42.5}]]=] 0)
expect("--explain;--dll;${PLUGIN}" "" 2)
foreach(tool ${HOST} ${TESTER})
  file(STRINGS ${tool} own REGEX "List index out of bounds|selects the last line|is not a valid integer")
  if(own)
    message(FATAL_ERROR "${tool} holds the query's own words: ${own}")
  endif()
endforeach()
expect("--clsid;--dll;${PLUGIN}" "" 2)
