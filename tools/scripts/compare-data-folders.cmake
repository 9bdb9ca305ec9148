# Fails unless every file of the folder SECOND, a second run of the data folder's generators,
# has the same bytes as the file of that name in the folder FIRST. FIRST may hold more: the
# program writes its settings and colour tables there when it runs.
file(GLOB names RELATIVE ${SECOND} ${SECOND}/*)
list(LENGTH names count)
if(count EQUAL 0)
    message(FATAL_ERROR "${SECOND} is empty")
endif()
set(differing "")
foreach(name ${names})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FIRST}/${name} ${SECOND}/${name}
                    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 0)
        list(APPEND differing ${name})
    endif()
endforeach()
if(differing)
    message(FATAL_ERROR "Generated twice, these data files differ: ${differing}")
endif()
message(STATUS "${count} data files generated twice with the same bytes")
