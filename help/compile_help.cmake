# Compiles the help project in SOURCE into OUTPUT with CHMCMD, working in the folder WORK.
# chmcmd keeps one context number per topic file and stores its [ALIAS] targets as the build's
# own paths, so a lookup by number inside the .chm would not work: the program maps numbers to
# topic files itself (help_topics.h), and the project is compiled without [ALIAS] and [MAP].
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK}
  FILES_MATCHING PATTERN "*.htm" PATTERN "*.css" PATTERN "Tallimo.hh?" PATTERN "*.png")

file(READ ${SOURCE}/Tallimo.hhp project)
string(REGEX REPLACE "\\[(ALIAS|MAP)\\][^[]*" "" project "${project}")
string(REGEX REPLACE "\\[(ALIAS|MAP)\\][^[]*" "" project "${project}")
file(WRITE ${WORK}/Tallimo.hhp "${project}")

execute_process(COMMAND ${CHMCMD} --verbosity 1 Tallimo.hhp
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/Tallimo.chm)
  message(FATAL_ERROR "chmcmd could not compile the help (exit ${result}):\n${out}${err}")
endif()
file(COPY_FILE ${WORK}/Tallimo.chm ${OUTPUT})
