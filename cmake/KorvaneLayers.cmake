# The program's layers, lowest first. Each folder is one static library that
# links only the layers below it; korvane_check_layers() refuses, at
# configure time, a source that includes a header of a higher layer, since
# one include directory serves them all and the linker alone would not see it.
set(KORVANE_LAYERS platform text state data exchange comm views print app)

# korvane_layer(<folder> <sources...> [LINKS <libraries...>])
# Adds the library korvane_<folder> from the folder's sources.
function(korvane_layer folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(korvane_${folder} STATIC ${ARG_SOURCES})
    target_include_directories(korvane_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(korvane_${folder} PUBLIC -Wall -Wextra)
    target_link_libraries(korvane_${folder} PUBLIC ${ARG_LINKS})
endfunction()

function(korvane_check_layers)
    list(LENGTH KORVANE_LAYERS count)
    math(EXPR last "${count} - 1")
    foreach(rank RANGE ${last})
        list(GET KORVANE_LAYERS ${rank} layer)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS
            ${PROJECT_SOURCE_DIR}/${layer}/*.h ${PROJECT_SOURCE_DIR}/${layer}/*.cpp)
        math(EXPR above "${rank} + 1")
        if(above GREATER last)
            continue()
        endif()
        foreach(upper_rank RANGE ${above} ${last})
            list(GET KORVANE_LAYERS ${upper_rank} upper)
            foreach(source ${sources})
                file(STRINGS ${source} hits REGEX "^#include \"${upper}/")
                if(hits)
                    file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${source})
                    message(FATAL_ERROR "Layer rule: ${shown} (layer ${layer}) includes the higher layer ${upper}: ${hits}")
                endif()
            endforeach()
        endforeach()
    endforeach()
endfunction()
