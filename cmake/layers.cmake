# keltro's layers: one library per folder of src/, each declared with the
# layers it stands on. Every library gets its own include root holding only
# its own folder, so a file sees the headers of its layer and of the layers
# below it and nothing else: an include that runs upward fails to compile.
# A layer may only name layers declared before it, so the graph has no cycle.

set(KELTRO_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include-roots)

# A fresh include root `root` where `folder` (a path under src/) is reachable
# as `name`.
function(keltro_include_root root name folder)
  set(dir ${KELTRO_INCLUDE_ROOTS}/${root})
  file(REMOVE_RECURSE ${dir})
  get_filename_component(parent ${dir}/${name} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${dir}/${name} SYMBOLIC)
endfunction()

# Refuses an include that climbs out of its folder ("../x.h"), the one way
# around the include roots.
function(keltro_check_relative_includes folder)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/${folder}/*.h ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} climbing REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*\\.\\.")
    if(climbing)
      message(FATAL_ERROR "${file}: includes by a relative path out of its folder: ${climbing}")
    endif()
  endforeach()
endfunction()

# keltro_layer(name [DEPS layer...] [EXCLUDE file...]): the library
# keltro_<name> of src/<name>/*.cpp over the Win32 interface and the named
# layers, which must already be declared.
function(keltro_layer name)
  cmake_parse_arguments(LAYER "" "" "DEPS;EXCLUDE" ${ARGN})
  set(deps)
  foreach(dep ${LAYER_DEPS})
    if(NOT TARGET keltro_${dep})
      message(FATAL_ERROR "layer ${name} names ${dep}, which is not declared below it")
    endif()
    list(APPEND deps keltro_${dep})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  foreach(excluded ${LAYER_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/src/${name}/${excluded})
  endforeach()
  keltro_check_relative_includes(${name})
  keltro_include_root(${name} ${name} ${name})
  add_library(keltro_${name} STATIC ${sources})
  target_include_directories(keltro_${name} PUBLIC ${KELTRO_INCLUDE_ROOTS}/${name})
  target_link_libraries(keltro_${name} PUBLIC ${deps} keltro_win32)
endfunction()

# keltro_win32: the Win32 interface the core is written against
# (src/platform/*.h), served by the real Win32 libraries on Windows and by
# keltro_platform (src/platform/posix, which depends on nothing of keltro's)
# elsewhere. The core sees the interface's headers only, never posix/.
function(keltro_win32_interface)
  set(dir ${KELTRO_INCLUDE_ROOTS}/win32/platform)
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/*.h)
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${dir}/${file} SYMBOLIC)
  endforeach()
  add_library(keltro_win32 INTERFACE)
  target_include_directories(keltro_win32 INTERFACE ${KELTRO_INCLUDE_ROOTS}/win32)
  if(WIN32)
    target_link_libraries(keltro_win32 INTERFACE advapi32 netapi32)
    return()
  endif()
  keltro_check_relative_includes(platform)
  keltro_include_root(posix platform/posix platform/posix)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/posix/*.cpp)
  add_library(keltro_platform STATIC ${sources})
  target_include_directories(keltro_platform
    PUBLIC ${KELTRO_INCLUDE_ROOTS}/win32 PRIVATE ${KELTRO_INCLUDE_ROOTS}/posix)
  # UNC paths and the LAN Manager calls go to Samba's client library.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SMBCLIENT REQUIRED IMPORTED_TARGET smbclient)
  # Headers only: the layer loads the library when a share is first named.
  target_include_directories(keltro_platform PRIVATE ${SMBCLIENT_INCLUDE_DIRS})
  target_link_libraries(keltro_win32 INTERFACE keltro_platform)
endfunction()
