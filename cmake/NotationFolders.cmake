# Builds the notation folders the program reads (ISDNNOT/<CODE>/ for every protocol variant and
# ISDNNOT/V5/) from one source: data/notation/common holds what every variant shares,
# data/notation/<CODE> what a variant has of its own (a file there replaces the common one of
# the same name). A variant folder may hold a file BASE naming a folder of data/notation whose
# files come between the two: the tables a family of variants shares. A variant's List File is
# written as LIST.LST and shipped as <CODE>EN.LST. The variant codes are read from the
# program's own variant table, so the two cannot differ.
#
# Authors can write one folder without a build:
#   cmake -DCODE=1TR6 -DOUT=/tmp/1TR6 -P cmake/NotationFolders.cmake

# Writes the folder of one variant (or V5) from source into folder.
function(quorvane_notation_folder source code folder)
    file(REMOVE_RECURSE ${folder})
    file(MAKE_DIRECTORY ${folder})
    set(files "")
    if(NOT code STREQUAL "V5")
        file(GLOB common_files ${source}/common/*)
        list(APPEND files ${common_files})
    endif()
    if(EXISTS ${source}/${code}/BASE)
        file(STRINGS ${source}/${code}/BASE base LIMIT_COUNT 1)
        string(STRIP "${base}" base)
        if(NOT IS_DIRECTORY ${source}/${base})
            message(FATAL_ERROR "Notation folder ${code}: BASE names ${base}, which is missing")
        endif()
        file(GLOB base_files ${source}/${base}/*)
        list(APPEND files ${base_files})
    endif()
    file(GLOB own_files ${source}/${code}/*)
    list(APPEND files ${own_files})
    foreach(file IN LISTS files)
        get_filename_component(name ${file} NAME)
        if(name STREQUAL "BASE" OR name STREQUAL "README.md")
            continue()
        endif()
        if(name STREQUAL "LIST.LST")
            set(name ${code}EN.LST)
        endif()
        configure_file(${file} ${folder}/${name} COPYONLY)
    endforeach()
endfunction()

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
    foreach(code IN LISTS codes)
        quorvane_notation_folder(${source} ${code} ${destination}/${code})
    endforeach()
    list(LENGTH codes count)
    message(STATUS "Notation folders: ${count} in ${destination}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    if(NOT CODE OR NOT OUT)
        message(FATAL_ERROR "usage: cmake -DCODE=<variant code or V5> -DOUT=<folder> -P ${CMAKE_CURRENT_LIST_FILE}")
    endif()
    get_filename_component(top ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
    quorvane_notation_folder(${top}/data/notation ${CODE} ${OUT})
endif()
