# Runs the real grelo-pack on every example, as an author would:
# build -> dump --extract -> build must give the same program byte for byte,
# and a description with a mistake must fail without touching the output.
#
#   cmake -DPACK=grelo-pack -DPLAYER=grelo.exe -DEXAMPLES=examples -DWORK=dir
#         [-DRUNNER=wine] -P grelo_pack_examples.cmake
foreach(variable PACK PLAYER EXAMPLES WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(pack expected_result)
  execute_process(COMMAND ${RUNNER} ${PACK} ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(expected_result STREQUAL "ok" AND NOT result EQUAL 0)
    message(FATAL_ERROR "grelo-pack ${ARGN} failed (${result}):\n${output}${errors}")
  elseif(expected_result STREQUAL "fails" AND result EQUAL 0)
    message(FATAL_ERROR "grelo-pack ${ARGN} should have failed:\n${output}")
  endif()
  set(pack_output "${output}" PARENT_SCOPE)
  set(pack_errors "${errors}" PARENT_SCOPE)
endfunction()

foreach(kind texte images audio video)
  set(first ${WORK}/${kind}.exe)
  set(second ${WORK}/${kind}-again.exe)
  pack(ok build ${EXAMPLES}/${kind}/quiz.toml -o ${first} --player ${PLAYER})
  message(STATUS "${pack_output}")
  pack(ok dump ${first} --extract ${WORK}/${kind})
  if(NOT pack_output MATCHES "kind = \"${kind}\"")
    message(FATAL_ERROR "dump of ${kind} does not name its kind:\n${pack_output}")
  endif()
  pack(ok build ${WORK}/${kind}/quiz.toml -o ${second} --player ${PLAYER})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second} RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${kind}: the program built from the dump differs from the first one")
  endif()
endforeach()

# A mistake: a message naming the place, and the old output left as it was.
file(WRITE ${WORK}/broken.toml "kind = \"texte\"\ntitle = \"T\"\n\n[[question]]\nprompt = \"Q\"\n")
file(WRITE ${WORK}/broken.exe "old")
pack(fails build ${WORK}/broken.toml -o ${WORK}/broken.exe --player ${PLAYER})
if(NOT pack_errors MATCHES "broken.toml:4: question 1 : ")
  message(FATAL_ERROR "no place named in:\n${pack_errors}")
endif()
file(READ ${WORK}/broken.exe left)
if(NOT left STREQUAL "old")
  message(FATAL_ERROR "a failed build changed its output file")
endif()
file(GLOB leftovers ${WORK}/broken.exe.*)
if(leftovers)
  message(FATAL_ERROR "a failed build left files behind: ${leftovers}")
endif()

# A player that is not a program: refused, nothing written.
pack(fails build ${EXAMPLES}/texte/quiz.toml -o ${WORK}/none.exe --player ${WORK}/broken.toml)
if(EXISTS ${WORK}/none.exe)
  message(FATAL_ERROR "a refused player still gave an output file")
endif()
