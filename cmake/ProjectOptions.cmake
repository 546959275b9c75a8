# Warnings and sanitizers applied to every target of the project.
add_compile_options(-Wall -Wextra)

if(MDS_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(MDS_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT MDS_SANITIZE STREQUAL "")
  message(FATAL_ERROR "Unknown MDS_SANITIZE value '${MDS_SANITIZE}'")
endif()

# mds_add_test(<name> SOURCES ... LIBS ... [LABELS ...]): one GoogleTest executable registered
# with CTest, its tests carrying the labels (ctest -L soundserver runs those of the sound server).
function(mds_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main pthread)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 LABELS "${T_LABELS}")
endfunction()

# Source paths in log lines are relative to the tree.
add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)

# mds_glob_sources(<out-sources> <out-tests> <dir>): the .cpp files below dir, split into
# library sources and *_test.cpp files.
function(mds_glob_sources out_sources out_tests dir)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(sources "")
  set(tests "")
  foreach(f ${all})
    if(f MATCHES "_test\\.cpp$")
      list(APPEND tests ${f})
    elseif(NOT f MATCHES "/testdata/")
      list(APPEND sources ${f})
    endif()
  endforeach()
  set(${out_sources} ${sources} PARENT_SCOPE)
  set(${out_tests} ${tests} PARENT_SCOPE)
endfunction()
