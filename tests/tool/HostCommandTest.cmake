# Runs filedata-host on the built plug-in DLL and checks its exit status and
# that what it prints holds each fragment: on stdout, or on stderr for a
# fragment that begins with "stderr:".
function(expect args expected_status)
  execute_process(COMMAND ${EMULATOR} ${HOST} ${args}
    WORKING_DIRECTORY ${SAMPLES}/..
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  set(missing "")
  foreach(fragment ${ARGN})
    set(in "${out}")
    if(fragment MATCHES "^stderr:(.*)")
      set(fragment "${CMAKE_MATCH_1}")
      set(in "${err}")
    endif()
    string(FIND "${in}" "${fragment}" found)
    if(found EQUAL -1)
      list(APPEND missing "${fragment}")
    endif()
  endforeach()
  if(NOT ARGN OR missing OR NOT status EQUAL expected_status)
    message(FATAL_ERROR "filedata-host ${args}\n  got [${out}] status ${status} (stderr: ${err})\n"
                        "  want [${missing}] status ${expected_status}")
  endif()
endfunction()

set(query "FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4")
# Every reference released, so the library says it may go.
expect("--json;--dll;${PLUGIN};${query}" 0
  [[,"updateLocation":"http://qelt.example.com/update/filedata.upd","lastErrorText":"No error"},"params":"FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4","answer":{"hr":"S_OK","kind":0,"number":42.5},"canUnloadNow":"S_OK"}]])
expect("--dll;${PLUGIN};FILENAME=samples/temp.txt|LINE=9" 1
  [[Answer           E_FAIL, last-error text "List index out of bounds (8)"]])
expect("--dll;${PLUGIN}" 0 "Filename  default \"MyTestFile.txt\", editor 5 with text \"\"")
expect("--dll;missing.dll;${query}" 1 "stderr:filedata-host: cannot load missing.dll: ")
# The DLL's own explanation, and the tools hold no query of their own.
expect("--explain;--dll;${PLUGIN};${query}" 0 "line: LINE=0 selects the last line: \"Temp: 42.5 C\"")
expect("--explain;--json;--dll;${PLUGIN};${query}" 0
  [=["detail":"the host receives S_OK, kind 0, number 42.5","hr":"S_OK","kind":0,"number":42.5}]]=])
expect("--explain;--dll;${PLUGIN}" 2 "stderr:--explain needs PARAMS")
# A build without the explanation still answers, and says why there are no steps.
expect("--explain;--dll;${OLDER};${query}" 0 "42.5" "stderr:cannot explain its readings")
expect("--explain;--dll;${OLDER};FILENAME=samples/temp.txt|LINE=9" 1
  "stderr:cannot explain its readings" "stderr:List index out of bounds (8)")
foreach(tool ${HOST} ${TESTER})
  file(STRINGS ${tool} own REGEX "List index out of bounds|selects the last line|is not a valid integer")
  if(own)
    message(FATAL_ERROR "${tool} holds the query's own words: ${own}")
  endif()
endforeach()
expect("--clsid;--dll;${PLUGIN}" 2 "stderr:--clsid excludes --dll")
