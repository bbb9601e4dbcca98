# fermat_expose_headers(target name): the target's only public include folder
# holds one entry, `name`, a link to the target's source folder. A target can
# therefore include "name/..." only if it links `target`, and the build, not
# a convention, keeps the layers apart.
function(fermat_expose_headers target name)
  set(root ${CMAKE_CURRENT_BINARY_DIR}/include)
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${name})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC COPY_ON_ERROR)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
