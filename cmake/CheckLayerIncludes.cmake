cmake_minimum_required(VERSION 3.25)
# Fails when velmora_core or velmora_sim includes something above its layer:
# a Qt header that is not Qt Core's, or a project header outside the layer and
# the layers it stands on.
#
#   cmake -DROOT=<source dir> -DQTCORE=<QtCore include dir> -P CheckLayerIncludes.cmake
include(${ROOT}/cmake/CoreSources.cmake)
include(${ROOT}/cmake/SimSources.cmake)

set(failures "")

function(check_layer files allowed)
  foreach(file ${files})
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "<(Q[A-Za-z0-9_/]*)>")
        set(header ${CMAKE_MATCH_1})
        string(REGEX REPLACE "^QtCore/" "" name ${header})
        if(NOT EXISTS ${QTCORE}/${name})
          list(APPEND failures "${file}: <${header}> is not a Qt Core header")
        endif()
      elseif(line MATCHES "\"([^\"]+)\"")
        set(header ${CMAKE_MATCH_1})
        if(NOT header MATCHES "\\.moc$" AND NOT header IN_LIST allowed)
          list(APPEND failures "${file}: \"${header}\" is outside its layer")
        endif()
      endif()
    endforeach()
  endforeach()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

check_layer("${VELMORA_CORE_SOURCES}" "${VELMORA_CORE_SOURCES}")
check_layer("${VELMORA_SIM_SOURCES}" "${VELMORA_CORE_SOURCES};${VELMORA_SIM_SOURCES}")

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "Includes that run the wrong way:\n${text}")
endif()
list(LENGTH VELMORA_CORE_SOURCES core_count)
list(LENGTH VELMORA_SIM_SOURCES sim_count)
message(STATUS "velmora_core (${core_count} files) and velmora_sim (${sim_count} files) include only their own layers and Qt Core")
