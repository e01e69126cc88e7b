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

# vorn_test(<folder> [WIDGETS] DEPS <targets>...)
# One GoogleTest executable per tests/<folder>, registered with CTest test by test. Only the
# tests of the widget folders (WIDGETS) run under a QApplication and link Qt Widgets.
function(vorn_test folder)
  cmake_parse_arguments(A "WIDGETS" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(exe test_${folder})
  add_executable(${exe} ${srcs})
  set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(A_WIDGETS)
    target_link_libraries(${exe} PRIVATE ${A_DEPS} vorn_testmain_widgets)
  else()
    target_link_libraries(${exe} PRIVATE ${A_DEPS} vorn_testmain)
    vorn_check_logic_without_widgets("" ${exe})
  endif()
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

# vorn_libraries_of(<out> <names>...)
# vorn_<name> of every name whose library this build tree has (VORN_EXCLUDE leaves folders out).
function(vorn_libraries_of out)
  set(libs)
  foreach(name IN LISTS ARGN)
    if(TARGET vorn_${name})
      list(APPEND libs vorn_${name})
    endif()
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# vorn_collect_links(<target> <list variable>)
# Adds to the list every library the target links, directly or through the vorn_ libraries.
function(vorn_collect_links target out)
  set(seen ${${out}})
  get_target_property(links ${target} LINK_LIBRARIES)
  if(NOT links)
    set(links)
  endif()
  get_target_property(ilinks ${target} INTERFACE_LINK_LIBRARIES)
  if(ilinks)
    list(APPEND links ${ilinks})
  endif()
  foreach(l IN LISTS links)
    if(l IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${l})
    # vorn_printer is a leaf here: whether a target may link it is decided by the caller.
    if(TARGET ${l} AND l MATCHES "^vorn_" AND NOT l STREQUAL "vorn_printer")
      vorn_collect_links(${l} seen)
    endif()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# vorn_check_logic_without_widgets(<folders> [extra targets...])
# Fails the configuration when a logic library (vorn_<folder>) or an extra target links Qt
# Widgets or PrintSupport, directly or through another library. vorn_printer is the one target
# allowed to bring them in, and only vornprn-cli-full (the command line's program of every
# command) may link it; vornprn-cli, which starts for `script`, may not.
function(vorn_check_logic_without_widgets folders)
  vorn_libraries_of(targets ${folders})
  list(APPEND targets ${ARGN})
  foreach(t IN LISTS targets)
    set(links)
    vorn_collect_links(${t} links)
    foreach(l IN LISTS links)
      if(l STREQUAL "vorn_printer" AND t STREQUAL "vornprn-cli-full")
        continue()
      endif()
      if(l MATCHES "^Qt6::(Widgets|PrintSupport)$" OR l STREQUAL "vorn_printer"
         OR l STREQUAL "vorn_platform" OR l STREQUAL "vorn_gui")
        message(FATAL_ERROR "${t} is a logic target but links ${l}: widgets belong in src/platform or src/gui")
      endif()
    endforeach()
  endforeach()
endfunction()
