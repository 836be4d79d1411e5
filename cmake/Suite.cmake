# Helpers shared by every folder.

# suite_library(name [DEPS ...]): a static library of the folder's *.cpp.
function(suite_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# suite_tests(name [DEPS ...]): one GoogleTest program of the folder's tests/*.cpp. Made at the end of the
# configuration, when every library exists; skipped while a library it needs has no sources yet.
function(suite_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT SUITE_TESTS)
    return()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT srcs)
    return()
  endif()
  string(REPLACE ";" "|" srcs_arg "${srcs}")
  string(REPLACE ";" "|" deps_arg "${ARG_DEPS}")
  # Deferred arguments are evaluated late: bake the values in.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL suite_make_tests [[${name}]] [[${srcs_arg}]] [[${deps_arg}]])")
endfunction()

function(suite_make_tests name srcs_arg deps_arg)
  string(REPLACE "|" ";" srcs "${srcs_arg}")
  string(REPLACE "|" ";" deps "${deps_arg}")
  foreach(dep ${deps})
    if(NOT TARGET ${dep})
      message(STATUS "Tests ${name} wait for ${dep}")
      return()
    endif()
  endforeach()
  add_executable(${name} ${srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${deps} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "SUITE_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  target_compile_definitions(${name} PRIVATE SUITE_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endfunction()

# Sources that compare or write Japanese keep UTF-8 in the file and get Shift-JIS bytes in the binary.
function(suite_japanese_literals target)
  if(NOT TARGET ${target})
    return()
  endif()
  target_compile_options(${target} PRIVATE -fexec-charset=CP932)
endfunction()

# suite_embed(target TYPE name file [name file ...]): carry files as resources of a program.
# Resources registered by a static library need the library linked whole, so embed into the program.
function(suite_embed target type)
  set(pairs ${ARGN})
  list(LENGTH pairs n)
  string(MAKE_C_IDENTIFIER "${target}_${type}" base)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${base}_res.cpp)
  set(regs "")
  set(files "")
  set(i 0)
  while(i LESS n)
    list(GET pairs ${i} rname)
    math(EXPR j "${i} + 1")
    list(GET pairs ${j} rfile)
    string(MAKE_C_IDENTIFIER "${rname}" cid)
    list(APPEND regs "${rname}|${rfile}|${cid}")
    list(APPEND files ${rfile})
    math(EXPR i "${i} + 2")
  endwhile()
  string(REPLACE ";" "@" regs_arg "${regs}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DTYPE=${type} -DREGS=${regs_arg} -P ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake ${files}
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# A console tool started once per run: the C++ runtime linked in, so that the dynamic loader has
# no library of symbols to bind at every start. Sanitizer builds keep their runtime as it is.
function(suite_console_tool target)
  if(NOT SUITE_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
