# cmake -DBINARY=<dir> -DKIVREL_SOURCE_DIR=<dir> -DGENERATOR=<g> -DCOMPILER=<c++>
#       -DTOP_INCLUDES=<header> -DTOP_DEPENDS=<area,area> -DEXPECT=builds|fails -P check.cmake
#
# Writes and builds afresh a project of three areas made by kivrel_area: low
# (a header), middle (a header that includes low's) and top, a source that
# includes TOP_INCLUDES and names the areas TOP_DEPENDS. "builds": the build
# must succeed; "fails": it must stop because low/low.h cannot be found.
file(REMOVE_RECURSE ${BINARY})
set(source ${BINARY}/source)
file(WRITE ${source}/low/low.h "#pragma once\ninline int Low() { return 1; }\n")
file(WRITE ${source}/middle/middle.h "#pragma once\n#include \"low/low.h\"\ninline int Middle() { return Low(); }\n")
file(WRITE ${source}/top/top.cpp "#include \"${TOP_INCLUDES}\"\nint Top() { return Low(); }\n")
string(REPLACE "," " " top_depends "${TOP_DEPENDS}")
file(WRITE ${source}/CMakeLists.txt
     "cmake_minimum_required(VERSION 3.25)\n"
     "project(kivrel_layers LANGUAGES CXX)\n"
     "include(${KIVREL_SOURCE_DIR}/cmake/Warnings.cmake)\n"
     "include(${KIVREL_SOURCE_DIR}/cmake/Areas.cmake)\n"
     "kivrel_area(low FOLDER low)\n"
     "kivrel_area(middle FOLDER middle DEPENDS low)\n"
     "kivrel_area(top FOLDER top SOURCES top.cpp DEPENDS ${top_depends})\n")

execute_process(COMMAND ${CMAKE_COMMAND} -S ${source} -B ${BINARY}/build -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${COMPILER}
                RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "The layer project does not configure:\n${log}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY}/build RESULT_VARIABLE built OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(EXPECT STREQUAL "builds" AND NOT built EQUAL 0)
  message(FATAL_ERROR "top names what it includes, yet does not build:\n${log}")
endif()
if(EXPECT STREQUAL "fails" AND (built EQUAL 0 OR NOT log MATCHES "low/low\\.h(: No such file or directory|. file not found)"))
  message(FATAL_ERROR "top reaches low/low.h without naming low, yet the build did not stop there:\n${log}")
endif()
