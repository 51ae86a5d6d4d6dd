# Run by cpack between staging and packing: strips every ELF file of the staged tree as Debian's
# own packages are stripped (symbols, and the .comment and .note sections).
file(GLOB_RECURSE zq_staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file ${zq_staged})
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${file}"
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "strip failed on ${file}")
        endif()
    endif()
endforeach()
