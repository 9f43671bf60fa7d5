# Compiles one edition's help pages into KORVANE.chm.
#
#   cmake -DCHMCMD=<chmcmd> -DPAGES_DIR=<help/xx> -DSTYLE=<help/korvane.css>
#         -DSTAGE_DIR=<build folder> -DOUTPUT=<.../KORVANE.chm> -P CompileChm.cmake
#
# The pages and the shared style sheet are copied into STAGE_DIR (emptied first, so a page removed from
# the sources does not linger), chmcmd compiles KORVANE.hhp there, and the
# result is copied to OUTPUT.

foreach(var CHMCMD PAGES_DIR STYLE STAGE_DIR OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CompileChm.cmake: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})
file(GLOB pages ${PAGES_DIR}/*)
file(COPY ${pages} ${STYLE} DESTINATION ${STAGE_DIR})

execute_process(
    COMMAND ${CHMCMD} KORVANE.hhp
    WORKING_DIRECTORY ${STAGE_DIR}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)

if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE_DIR}/KORVANE.chm)
    message(FATAL_ERROR "chmcmd could not compile ${PAGES_DIR}/KORVANE.hhp:\n${output}")
endif()
if(output MATCHES "Warning|Error")
    message(WARNING "chmcmd reported for ${PAGES_DIR}:\n${output}")
endif()

get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(COPY_FILE ${STAGE_DIR}/KORVANE.chm ${OUTPUT})
