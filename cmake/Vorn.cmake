# vorn_library(<name> [QT <components>...] [DEPS <targets>...])
# Builds every .cpp/.h of the calling folder into one static library. Headers are included
# by folder, e.g. #include "common/FormatMsg.h".
function(vorn_library name)
  cmake_parse_arguments(A "" "" "QT;DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set(qtlibs)
  foreach(c IN LISTS A_QT)
    list(APPEND qtlibs Qt6::${c})
  endforeach()
  target_link_libraries(${name} PUBLIC ${A_DEPS} ${qtlibs})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
endfunction()

# vorn_test(<folder> DEPS <targets>...)
# One GoogleTest executable per tests/<folder>, registered with CTest test by test.
function(vorn_test folder)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(exe test_${folder})
  add_executable(${exe} ${srcs})
  set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${A_DEPS} vorn_testmain)
  target_compile_definitions(${exe} PRIVATE
    VORN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    VORN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VORN_BIN_DIR="${VORN_BIN_DIR}")
  add_dependencies(${exe} vorn_resources)
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8"
               TIMEOUT 300)
endfunction()
