# The layers of the project. Each folder of core/ is one library, an area,
# and an area sees the headers of exactly itself and the areas it names.
# Every area has an include root in the build tree that links to its own
# folder only, and an area's sources compile with its own root and the roots
# of the areas it names, no other: an #include of an area it did not name
# does not compile, whether it stands in the area's own files or in a header
# of a named area. So an area names every area whose headers it compiles
# with. An area may name only areas made before it, so the order of the
# kivrel_area calls is the layering and a cycle is a configure error.
#
# Programs, tests and benchmarks that link an area see the headers of that
# area and of everything below it.

# kivrel_area(<area> FOLDER <dir> [SOURCES ...] [DEPENDS <area>...]
#             [PUBLIC_LINK <target>...] [QT])
# makes the library kivrel_<area> of <dir>/<sources>; without sources it
# holds headers only. Its headers are included by their path from the top of
# the project ("core/price/x.h"). PUBLIC_LINK targets (Qt) are seen whole by
# the area and its users; QT runs moc over the area's sources.
function(kivrel_area area)
  cmake_parse_arguments(PARSE_ARGV 1 arg "QT" "FOLDER" "SOURCES;DEPENDS;PUBLIC_LINK")
  get_filename_component(folder "${arg_FOLDER}" ABSOLUTE)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
  get_filename_component(parent "${relative}" DIRECTORY)

  # The root is made afresh: one left by another layout could lead through a
  # link into the sources. (Removing follows no link.)
  set(root ${PROJECT_BINARY_DIR}/include/${area})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${parent})
  file(CREATE_LINK ${folder} ${root}/${relative} SYMBOLIC)

  set(seen ${root})     # the include roots of the area's own compilation
  set(users ${root})    # those of whatever links the area
  set(links)
  foreach(dep IN LISTS arg_DEPENDS)
    if(NOT TARGET kivrel_${dep})
      message(FATAL_ERROR "kivrel_${area} depends on ${dep}, which is not made before it: areas form layers, "
                          "each depending only on those below it")
    endif()
    get_target_property(dep_root kivrel_${dep} KIVREL_INCLUDE_ROOT)
    get_target_property(dep_users kivrel_${dep} INTERFACE_INCLUDE_DIRECTORIES)
    list(APPEND seen ${dep_root})
    list(APPEND users ${dep_users})
    # Linked without the named area's include roots: they would bring along
    # every area below it.
    list(APPEND links "$<LINK_ONLY:kivrel_${dep}>")
  endforeach()
  list(REMOVE_DUPLICATES users)

  list(TRANSFORM arg_SOURCES PREPEND ${folder}/)
  if(arg_SOURCES)
    add_library(kivrel_${area} STATIC ${arg_SOURCES})
    target_include_directories(kivrel_${area} PRIVATE ${seen})
    target_link_libraries(kivrel_${area} PUBLIC ${links} ${arg_PUBLIC_LINK})
    target_compile_features(kivrel_${area} PUBLIC cxx_std_20)
    kivrel_warnings(kivrel_${area})
    set_target_properties(kivrel_${area} PROPERTIES AUTOMOC ${arg_QT})
  else()
    add_library(kivrel_${area} INTERFACE)
    target_link_libraries(kivrel_${area} INTERFACE ${links} ${arg_PUBLIC_LINK})
    target_compile_features(kivrel_${area} INTERFACE cxx_std_20)
  endif()
  set_target_properties(kivrel_${area} PROPERTIES KIVREL_INCLUDE_ROOT ${root} INTERFACE_INCLUDE_DIRECTORIES "${users}")
endfunction()
