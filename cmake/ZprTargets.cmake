# Helpers that turn a folder into a target. Sources are collected by glob so that a new file needs no
# edit of a shared CMake file; files named *_main.cpp are program entries and stay out of libraries.

function(zpr_collect_sources out dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_main\\.cpp$")
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# zpr_library(NAME [SHARED] DIR dir DEPS ...): a static (or shared) library of every .cpp below dir;
# an interface target while the folder holds no source yet.
function(zpr_library name)
  cmake_parse_arguments(ARG "SHARED" "DIR" "DEPS" ${ARGN})
  zpr_collect_sources(srcs ${ARG_DIR})
  if(srcs)
    if(ARG_SHARED)
      add_library(${name} SHARED ${srcs})
    else()
      add_library(${name} STATIC ${srcs})
    endif()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# zpr_program(NAME MAIN file DEPS ...): a program built from one entry file.
function(zpr_program name)
  cmake_parse_arguments(ARG "" "MAIN" "DEPS" ${ARGN})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_MAIN})
    add_executable(${name} ${ARG_MAIN})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  endif()
endfunction()

# zpr_test_folder(DIR dir DEPS ...): one GoogleTest binary for the .cpp files directly in dir.
function(zpr_test_folder dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${dir})
  string(REPLACE "/" "_" tname "test_${rel}")
  add_executable(${tname} ${srcs})
  target_link_libraries(${tname} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${tname} PRIVATE
    ZPR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ZPR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  gtest_discover_tests(${tname} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
