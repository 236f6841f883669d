# Runs `buildtags project` on a generated project file, as a script would,
# and checks its messages, its JSON and the file it leaves.
# Arguments: -DTOOL=<buildtags> -DWORK=<scratch folder>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(project "${WORK}/project.ini")
string(ASCII 13 CR)
set(NL "${CR}\n")
file(WRITE "${project}"
  "[Other]${NL}keep = me${NL}${NL}"
  "[Target:Web]${NL}BuildExpression=Online & ~Print${NL}"
  "[Target:Help]${NL}BuildExpression=Online${NL}"
  "[Global Build Tag Expressions]${NL}Expr_2004:05:17:09:03:07=Online | Beta${NL}")

function(run expected_exit expected_text)
  execute_process(COMMAND "${TOOL}" project "${project}" ${ARGN}
    RESULT_VARIABLE exit OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT exit EQUAL expected_exit)
    message(FATAL_ERROR "${ARGN}: exit ${exit}, expected ${expected_exit}\n${out}${err}")
  endif()
  string(FIND "${out}" "${expected_text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${ARGN}: expected \"${expected_text}\" in:\n${out}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(0 "Help: Online" list)
run(0 "2004:05:17:09:03:07  Online | Beta" list)
run(0 "2 targets and 1 global expression now use Web" rename-tag Online Web)
run(0 "No expression uses Online; nothing changed" rename-tag Online Web)
run(0 "Saved global expression \"A & B\"" add-global "  A & B ")
run(1 "already stored" add-global "A & B")
run(0 "Cleared 1 target and removed 0 global expressions that used Print" delete-tag Print)
run(0 "\"result\": 0" --json remove-global "Web | Beta")
string(JSON removed GET "${last_output}" globals 0)
if(NOT removed STREQUAL "Web | Beta")
  message(FATAL_ERROR "JSON names the removed global as \"${removed}\"")
endif()
run(0 "\"target\": \"Help\"" --json list)

# Byte comparison in hex: file(READ) as text would drop the CRs.
file(WRITE "${WORK}/expected" "[Other]${NL}keep = me${NL}${NL}[Target:Web]${NL}BuildExpression=${NL}")
file(READ "${WORK}/expected" expected HEX)
file(READ "${project}" content HEX)
string(FIND "${content}" "${expected}" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "other lines changed or target not cleared: ${content}")
endif()

# Reading a missing file neither fails nor creates it.
set(project "${WORK}/missing.ini")
run(0 "Targets (0)" list)
if(EXISTS "${project}")
  message(FATAL_ERROR "list created ${project}")
endif()
