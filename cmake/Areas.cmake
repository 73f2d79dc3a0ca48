# The layers of the project. Each folder of core/ is one library, and a
# library sees the headers of exactly itself and the areas it names: its
# include root in the build tree links to its own folder only, so an
# #include of an area it did not name does not compile. An area may name
# only areas made before it, so the order of the kivrel_area calls is the
# layering and a cycle is a configure error.

# kivrel_area(<area> FOLDER <dir> [SOURCES ...] [DEPENDS <area>...] [PUBLIC_LINK <target>...])
# makes the library kivrel_<area> of <dir>/<sources>. Its headers are
# included by their path from the top of the project ("core/price/x.h").
function(kivrel_area area)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "SOURCES;DEPENDS;PUBLIC_LINK")
  get_filename_component(folder "${arg_FOLDER}" ABSOLUTE)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
  get_filename_component(parent "${relative}" DIRECTORY)

  set(root ${PROJECT_BINARY_DIR}/include/${area})
  file(MAKE_DIRECTORY ${root}/${parent})
  file(CREATE_LINK ${folder} ${root}/${relative} SYMBOLIC)

  set(deps)
  foreach(dep IN LISTS arg_DEPENDS)
    if(NOT TARGET kivrel_${dep})
      message(FATAL_ERROR "kivrel_${area} depends on ${dep}, which is not made before it: areas form layers, "
                          "each depending only on those below it")
    endif()
    list(APPEND deps kivrel_${dep})
  endforeach()

  list(TRANSFORM arg_SOURCES PREPEND ${folder}/)
  if(arg_SOURCES)
    add_library(kivrel_${area} STATIC ${arg_SOURCES})
    target_include_directories(kivrel_${area} PUBLIC ${root})
    target_link_libraries(kivrel_${area} PUBLIC ${deps} ${arg_PUBLIC_LINK})
    target_compile_features(kivrel_${area} PUBLIC cxx_std_20)
    kivrel_warnings(kivrel_${area})
  else()
    add_library(kivrel_${area} INTERFACE)
    target_include_directories(kivrel_${area} INTERFACE ${root})
    target_link_libraries(kivrel_${area} INTERFACE ${deps} ${arg_PUBLIC_LINK})
    target_compile_features(kivrel_${area} INTERFACE cxx_std_20)
  endif()
endfunction()
