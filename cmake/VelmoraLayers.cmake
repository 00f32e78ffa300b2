# The calculation core is a stack of layers, each a folder of src/ built as the static library
# velmora_<layer>. A layer sees only its own headers and those of the layers it is declared to
# build on: its include root is a folder of the build tree holding links to exactly those
# folders, so that an include from a higher (or a sideways) layer fails to compile.
#
#   velmora_layer(checks DEPENDS sections)      # checks sees checks/, sections/ and below
#
# The layers a layer builds on are passed on to the layers above it.

# Compiler warnings of the project's own targets, linked PRIVATE so that nothing leaks into
# the targets of packagers or of Debian's libraries. Warnings become errors only where
# CMAKE_COMPILE_WARNING_AS_ERROR is set (the developers' and CI's presets).
add_library(velmora_warnings INTERFACE)
target_compile_options(velmora_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wfloat-conversion -Wold-style-cast -Wpedantic)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports a false -Wrestrict inside std::string copies at -O2 and above (GCC bug
  # 105329); it stays a warning even where warnings are errors.
  target_compile_options(velmora_warnings INTERFACE -Wno-error=restrict)
endif()

# Makes the include root of layer `name` built on the layers `deps`: a folder of links to the
# folders the layer may include from. Sets `out` to the root.
function(velmora_layer_root name out)
  set(visible ${name})
  foreach(dep ${ARGN})
    get_property(below GLOBAL PROPERTY VELMORA_LAYER_${dep})
    if(NOT below)
      message(FATAL_ERROR "Layer ${name} builds on ${dep}, which is not defined below it")
    endif()
    list(APPEND visible ${below})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY VELMORA_LAYER_${name} ${visible})

  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${visible})
    file(CREATE_LINK ${VELMORA_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

function(velmora_layer name)
  cmake_parse_arguments(LAYER "" "" "DEPENDS;LIBRARIES" ${ARGN})
  set(target velmora_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources} ${headers})
  velmora_layer_root(${name} root ${LAYER_DEPENDS})
  target_include_directories(${target} PUBLIC ${root})
  foreach(dep ${LAYER_DEPENDS})
    target_link_libraries(${target} PUBLIC velmora_${dep})
  endforeach()
  if(LAYER_LIBRARIES)
    target_link_libraries(${target} PRIVATE ${LAYER_LIBRARIES})
  endif()
  target_link_libraries(${target} PRIVATE velmora_warnings)
endfunction()
