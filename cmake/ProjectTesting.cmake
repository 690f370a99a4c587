# Helpers shared by every CMakeLists of the tree.
include(GoogleTest)

# Adds every immediate sub-folder of the current source folder that has a
# CMakeLists.txt, in name order, so a new subsystem needs no edit here.
function(add_subsystem_folders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# project_test(NAME <exe> LABEL <tuner|mediahost> SOURCES ... [LIBS ...] [ENV ...] [TIMEOUT s])
# Builds one GoogleTest executable and registers each of its tests with CTest.
function(project_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  # The environment goes through `cmake -E env` as the test's launcher: CTest's
  # ENVIRONMENT property loses all but the first entry of a list when it is
  # passed through test discovery.
  if(T_ENV)
    set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${T_ENV})
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${T_LABEL}" TIMEOUT ${T_TIMEOUT})
endfunction()
