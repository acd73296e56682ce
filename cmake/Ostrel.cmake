# Shared build rules. Sources are collected per folder so that adding a class needs no
# edit of a CMakeLists.txt.

set(OSTREL_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports -Wrestrict false positives inside inlined string code at -O3.
  list(APPEND OSTREL_WARNINGS -Wno-error=restrict)
endif()

function(ostrel_warnings target)
  target_compile_options(${target} PRIVATE ${OSTREL_WARNINGS})
endfunction()

# ostrel_sources(<var> <dir>...): the .cpp/.h/.qrc files of the folders (not recursive).
function(ostrel_sources var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# ostrel_test(<name> DIRS <dir>... LIBS <lib>...): one GoogleTest executable per folder of tests.
function(ostrel_test name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS" ${ARGN})
  ostrel_sources(srcs ${T_DIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  ostrel_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ostrel_testsupport GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OSTREL_TEST=1"
    DISCOVERY_TIMEOUT 60)
endfunction()

# ostrel_library(<name> DIRS <dir>... LIBS <lib>...): a shared library of the folders' sources;
# an interface library while the folders are still empty, so dependents configure.
function(ostrel_library name)
  cmake_parse_arguments(L "" "" "DIRS;LIBS" ${ARGN})
  ostrel_sources(srcs ${L_DIRS})
  list(FILTER srcs INCLUDE REGEX "\\.cpp$")
  if(srcs)
    ostrel_sources(all ${L_DIRS})
    add_library(${name} SHARED ${all})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
    ostrel_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
endfunction()
