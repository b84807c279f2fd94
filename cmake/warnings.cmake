# One warning policy for every target of the game.
function(tolv_warnings target)
  if(MSVC)
    # C++ only: the resource compiler of the Windows build must not get these.
    target_compile_options(${target} PRIVATE
      "$<$<COMPILE_LANGUAGE:CXX>:/W4;/utf-8;$<$<BOOL:${TOLV_WERROR}>:/WX>>")
  else()
    target_compile_options(${target} PRIVATE
      "$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Wpedantic;$<$<BOOL:${TOLV_WERROR}>:-Werror>>")
    # GCC 12 warns falsely about std::string assignments in optimised builds (its bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
    endif()
  endif()
endfunction()

# Sources of a folder, with the files of the other operating system left out:
# *_win.cpp builds on Windows only, *_posix.cpp everywhere else.
function(tolv_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(WIN32)
    list(FILTER files EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER files EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
