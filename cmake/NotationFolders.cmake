# Builds the notation folders the program reads (ISDNNOT/<CODE>/ for every protocol variant and
# ISDNNOT/V5/) from one source: data/notation/common holds what every variant shares,
# data/notation/<CODE> what a variant has of its own (a file there replaces the common one of
# the same name). A variant's List File is written as LIST.LST and shipped as <CODE>EN.LST.
# The variant codes are read from the program's own variant table, so the two cannot differ.

function(quorvane_notation_folders source destination)
    file(STRINGS ${CMAKE_SOURCE_DIR}/src/pdu/interface/ProtocolVariant.h variant_lines
         REGEX "^    \\{\"[^\"]*\", \"[A-Z0-9]+\"\\},")
    set(codes "")
    foreach(line IN LISTS variant_lines)
        string(REGEX REPLACE "^    \\{\"[^\"]*\", \"([A-Z0-9]+)\"\\},.*" "\\1" code "${line}")
        list(APPEND codes ${code})
    endforeach()
    list(APPEND codes V5)
    file(GLOB_RECURSE sources ${source}/*)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${sources} ${CMAKE_SOURCE_DIR}/src/pdu/interface/ProtocolVariant.h)
    file(REMOVE_RECURSE ${destination})
    file(GLOB common_files ${source}/common/*)
    foreach(code IN LISTS codes)
        set(folder ${destination}/${code})
        file(MAKE_DIRECTORY ${folder})
        set(files "")
        if(NOT code STREQUAL "V5")
            list(APPEND files ${common_files})
        endif()
        file(GLOB own_files ${source}/${code}/*)
        list(APPEND files ${own_files})
        foreach(file IN LISTS files)
            get_filename_component(name ${file} NAME)
            if(name STREQUAL "LIST.LST")
                set(name ${code}EN.LST)
            endif()
            configure_file(${file} ${folder}/${name} COPYONLY)
        endforeach()
    endforeach()
    list(LENGTH codes count)
    message(STATUS "Notation folders: ${count} in ${destination}")
endfunction()
