# The game's version texts, all taken from the one version number given to project().
# tolv_version_texts(<major> <minor> <patch>) sets, in the caller's scope:
#   TOLV_VERSION_MAJOR, TOLV_VERSION_MINOR, TOLV_VERSION_PATCH  the three numbers
#   TOLV_VERSION       "1.4.29"
#   TOLV_FILE_VERSION  "1.04.0029": the Windows resource's form, minor in two digits, revision in four
function(tolv_version_texts major minor patch)
  set(padded_minor "00${minor}")
  string(LENGTH "${padded_minor}" length)
  math(EXPR start "${length} - 2")
  string(SUBSTRING "${padded_minor}" ${start} 2 padded_minor)
  set(padded_patch "0000${patch}")
  string(LENGTH "${padded_patch}" length)
  math(EXPR start "${length} - 4")
  string(SUBSTRING "${padded_patch}" ${start} 4 padded_patch)
  set(TOLV_VERSION_MAJOR ${major} PARENT_SCOPE)
  set(TOLV_VERSION_MINOR ${minor} PARENT_SCOPE)
  set(TOLV_VERSION_PATCH ${patch} PARENT_SCOPE)
  set(TOLV_VERSION "${major}.${minor}.${patch}" PARENT_SCOPE)
  set(TOLV_FILE_VERSION "${major}.${padded_minor}.${padded_patch}" PARENT_SCOPE)
endfunction()

# The version as the top-level project() declares it, for builds that are projects of their
# own (the Windows cross-check): read from the one place it is written.
function(tolv_read_project_version root)
  file(STRINGS "${root}/CMakeLists.txt" line REGEX "^project\\(TolvStreet VERSION [0-9.]+")
  string(REGEX MATCH "VERSION ([0-9]+)\\.([0-9]+)\\.([0-9]+)" ignored "${line}")
  if(NOT CMAKE_MATCH_3)
    message(FATAL_ERROR "No version found in ${root}/CMakeLists.txt")
  endif()
  tolv_version_texts(${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
  foreach(name TOLV_VERSION_MAJOR TOLV_VERSION_MINOR TOLV_VERSION_PATCH TOLV_VERSION TOLV_FILE_VERSION)
    set(${name} ${${name}} PARENT_SCOPE)
  endforeach()
endfunction()
