# cmake -DFIXTURE=<dir> -DBINARY=<dir> -DKIVREL_SOURCE_DIR=<dir> -DGENERATOR=<g> -DCOMPILER=<c++>
#       -DTOP_SOURCE=<file> -DTOP_DEPENDS=<a,b> -DEXPECT=builds|fails -P check.cmake
# Configures and builds the layer project afresh. "builds": the build must
# succeed; "fails": it must stop because low/low.h cannot be found.
file(REMOVE_RECURSE ${BINARY})
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${BINARY} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${COMPILER}
          -DKIVREL_SOURCE_DIR=${KIVREL_SOURCE_DIR} -DTOP_SOURCE=${TOP_SOURCE} -DTOP_DEPENDS=${TOP_DEPENDS}
  RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "The layer project does not configure:\n${log}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(EXPECT STREQUAL "builds" AND NOT built EQUAL 0)
  message(FATAL_ERROR "top names what it includes, yet does not build:\n${log}")
endif()
if(EXPECT STREQUAL "fails" AND (built EQUAL 0 OR NOT log MATCHES "low/low\\.h(: No such file or directory|. file not found)"))
  message(FATAL_ERROR "top includes low/low.h without naming low, yet the build did not stop there:\n${log}")
endif()
