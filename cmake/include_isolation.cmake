# Include isolation, enforced by the build. Sources include headers from the top of the tree
# ("textio/textio.h", "tests/support/scratch.h"), but no target is given the top of the tree:
# each top folder F (textio, reader, ..., program, tests, bench) is published as a directory
# of its own in the build tree, <build>/include/F, that holds one entry, a link named F to the
# folder. A target reaches the headers of its own top folder, and of the folders of the
# libraries it links (their usage requirements, so transitively through PUBLIC links only); an
# include of any other part's header fails to compile. What a folder's CMakeLists.txt says
# about the top of the tree as an include directory is replaced here, after every folder has
# been added (molvane_isolate_includes at the end of the top CMakeLists.txt).

# Every build-system target defined in `dir` and the folders below it.
function(_molvane_targets_below dir result)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _molvane_targets_below("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

# <build>/include/<folder>, holding the link <folder> -> <source>/<folder>; its path.
function(_molvane_folder_include folder result)
  set(dir "${PROJECT_BINARY_DIR}/include/${folder}")
  if(NOT IS_SYMLINK "${dir}/${folder}")
    file(MAKE_DIRECTORY "${dir}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${dir}/${folder}" RESULT failed SYMBOLIC)
    if(failed)
      message(FATAL_ERROR "cannot link ${dir}/${folder} to the source folder: ${failed}")
    endif()
  endif()
  set(${result} "${dir}" PARENT_SCOPE)
endfunction()

function(molvane_isolate_includes)
  _molvane_targets_below("${PROJECT_SOURCE_DIR}" targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(source ${target} SOURCE_DIR)
    file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}" "${source}")
    if(type STREQUAL "UTILITY" OR relative STREQUAL "" OR relative MATCHES "^\\.\\.")
      continue() # custom targets, and targets from outside the tree (GoogleTest's for Windows)
    endif()
    string(REGEX REPLACE "/.*" "" folder "${relative}")
    _molvane_folder_include(${folder} include)
    set(properties INTERFACE_INCLUDE_DIRECTORIES)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      list(APPEND properties INCLUDE_DIRECTORIES)
    endif()
    foreach(property IN LISTS properties)
      get_target_property(directories ${target} ${property})
      if(NOT directories)
        set(directories "")
      endif()
      list(REMOVE_ITEM directories "${PROJECT_SOURCE_DIR}")
      if(property STREQUAL "INCLUDE_DIRECTORIES" OR type MATCHES "LIBRARY$")
        list(PREPEND directories "${include}")
      endif()
      set_property(TARGET ${target} PROPERTY ${property} "${directories}")
    endforeach()
  endforeach()
endfunction()
