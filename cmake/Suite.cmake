# suite_test(<name> SOURCES ... LIBS ...)
# A GoogleTest executable kept out of the run-time folder; every test case is
# its own ctest entry and runs headless.
function(suite_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(NOT "common_qt_testing" IN_LIST T_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE SUITE_DIR="${SUITE_DIR}"
                                             TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# suite_gui_test(<name> SOURCES ... LIBS ...)
# A window test: the shared GUI test main owns the QApplication and gives every test
# a fresh scripted desktop (common/qt/testing/gui_test.h).
function(suite_gui_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  suite_test(${name} SOURCES ${T_SOURCES} LIBS ${T_LIBS} common_qt_testing)
endfunction()

# suite_copy(<target> <dest-subdir> files...): copies data files into the run-time folder.
function(suite_copy target dest)
  set(outputs)
  foreach(f ${ARGN})
    get_filename_component(n ${f} NAME)
    set(out ${SUITE_DIR}/${dest}/${n})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/${f} ${out}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
include(GoogleTest)
