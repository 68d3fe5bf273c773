cmake_minimum_required(VERSION 3.25)

# Fails when a source of one layer includes a header of a layer above it.
# Layers, lowest first: runtime, calc, desktop, ui, app. desktop/ stands
# apart from the core: it fits windows to a desktop and knows no numbers.
#   cmake -D SOURCE_DIR=... -D STAMP=... -P check-layers.cmake
set(allowed_runtime runtime)
set(allowed_calc runtime calc)
set(allowed_desktop desktop)
set(allowed_ui runtime calc desktop ui)
set(allowed_app runtime calc desktop ui app)
set(layers runtime calc desktop ui app)

set(faults "")
foreach(layer IN LISTS layers)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.cpp" "${SOURCE_DIR}/${layer}/*.h")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
            string(REGEX MATCH "^[^/]+/" top "${header}")
            string(REPLACE "/" "" top "${top}")
            if(top STREQUAL "" OR NOT top IN_LIST layers)
                continue() # beside the source, or generated
            endif()
            if(NOT top IN_LIST allowed_${layer})
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                list(APPEND faults "${shown} includes ${header}: ${layer}/ may include only ${allowed_${layer}}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " shown)
    message(FATAL_ERROR "A layer includes one above it:\n  ${shown}")
endif()
file(TOUCH "${STAMP}")
