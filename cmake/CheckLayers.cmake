# Checks that every folder of the program includes only the folders it stands on.
#
#   cmake -DSOURCE_DIR=<tree> -P CheckLayers.cmake
#
# Each line below names a folder and the folders its files may include, itself among them.
# A sub-folder is a folder of its own: `link` does not grant `link/qt`. Quoted includes
# without a folder (generated headers, moc files) are not checked. Folders that are not
# part of the program (tests, benchmarks, fuzz targets) may include anything; a folder of
# sources that is in neither list fails the check, so that a new folder gets its place.

cmake_minimum_required(VERSION 3.25)

set(layers
    "app: app"
    "app/ui: app app/ui"
    "link: app link"
    "link/qt: app link link/qt"
    "link/ui: app app/ui link link/qt link/ui"
    "settings: app link settings"
    "settings/ui: app app/ui link link/ui settings settings/ui"
    "transfer: app link transfer"
    "transfer/ui: app app/ui link link/ui transfer transfer/ui"
    "convert: app settings convert"
    "convert/ui: app app/ui convert convert/ui plot plot/ui"
    "divide: app divide"
    "divide/ui: app app/ui divide divide/ui"
    "plot: app plot"
    "plot/qt: app plot plot/qt"
    "plot/ui: app app/ui plot plot/qt plot/ui"
    "sim: app link settings sim"
    "sim/samples: app settings sim/samples"
    "cli: app link settings transfer convert divide plot plot/qt cli"
    "program: app app/ui link link/qt link/ui settings settings/ui transfer transfer/ui convert convert/ui divide divide/ui plot plot/qt plot/ui cli program"
)
set(outside_the_program .ci .git .cache build bench cmake docs fuzz resources scripts tests)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "CheckLayers: SOURCE_DIR '${SOURCE_DIR}' is not a folder")
endif()

set(folders)
foreach(layer IN LISTS layers)
    string(REGEX MATCH "^([^:]+): (.+)$" matched "${layer}")
    set(folder "${CMAKE_MATCH_1}")
    string(REPLACE " " ";" allowed_${folder} "${CMAKE_MATCH_2}")
    list(APPEND folders "${folder}")
endforeach()

set(violations)
file(GLOB top_level RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES true "${SOURCE_DIR}/*")
foreach(top IN LISTS top_level)
    if(NOT IS_DIRECTORY "${SOURCE_DIR}/${top}" OR top IN_LIST outside_the_program)
        continue()
    endif()
    file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${top}/*.h" "${SOURCE_DIR}/${top}/*.cpp")
    foreach(source IN LISTS sources)
        get_filename_component(folder "${source}" DIRECTORY)
        if(NOT folder IN_LIST folders)
            list(APPEND violations "${source}: its folder ${folder} has no place in the layers")
            continue()
        endif()
        file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
            get_filename_component(header_folder "${header}" DIRECTORY)
            if(header_folder STREQUAL "" OR header_folder IN_LIST allowed_${folder})
                continue()
            endif()
            list(JOIN allowed_${folder} ", " allowed)
            list(APPEND violations "${source} includes ${header}: ${folder} may include only ${allowed}")
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " report)
    message(FATAL_ERROR "A folder includes one it does not stand on:\n  ${report}")
endif()
message(STATUS "Every folder includes only the folders it stands on.")
