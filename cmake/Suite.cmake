include(GoogleTest)

# A build folder of its own configured with -DENGINE_SANITIZERS=ON builds the engines,
# their tests and tools under AddressSanitizer and UndefinedBehaviorSanitizer (.ci/run
# does); any report ends the test that caused it.
option(ENGINE_SANITIZERS "Build the engines and their tests with ASan and UBSan" OFF)

# suite_engine_sanitizers(): the sanitizers, when asked for, on the calling folder's targets.
macro(suite_engine_sanitizers)
  if(ENGINE_SANITIZERS)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endmacro()

# suite_headers(<target> <INTERFACE|PUBLIC|PRIVATE> <folder> [<header>...])
# Gives <target> an include root of its own in the build folder, holding links to the
# headers of <folder> (a folder of the source tree; all its *.h unless headers are
# named), each spelt from the top of the tree: "<folder>/<header>". Whoever links the
# target sees those headers and no others, so a piece can include only what it links.
function(suite_headers target scope folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(headers ${ARGN})
  if(NOT headers)
    file(GLOB headers RELATIVE ${CMAKE_SOURCE_DIR}/${folder} CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  endif()
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${headers})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# suite_test(<name> SOURCES ... LIBS ...)
# A GoogleTest executable kept out of the run-time folder; every test case is
# its own ctest entry and runs headless.
function(suite_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(NOT "common_qt_testing" IN_LIST T_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} common_testing GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE SUITE_DIR="${SUITE_DIR}"
                                             TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  # Each case carries its program's name as a label: ctest -L yoruk_tests runs those alone.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name})
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

# suite_must_not_compile(<name> <source> <regex> LIBS ...)
# A test that compiling <source> with the include roots of LIBS fails with a message
# matching <regex>: a layer rule (a core includes no Qt, an engine no source of common/)
# that the build itself keeps.
function(suite_must_not_compile name source regex)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_library(${name} OBJECT EXCLUDE_FROM_ALL ${source})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${name})
  # One build at a time in the build folder.
  set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${regex}"
                                          RESOURCE_LOCK build_folder)
endfunction()

# suite_program(<name> [ENGINE <engine>] [SAMPLES <dest-subdir> <files>...])
# A program of the suite from its folders, each a layer of its own:
#   core/     <name>_core, static, plain C++ (computation, files, the window models)
#   windows/  <name>_windows, static, Qt, and windows/main.cpp the program <name>
#   cli/      <name>_cli, static, and cli/main.cpp the companion <name>-cli
#   tests/core, tests/cli, tests/windows: <name>_core_tests, <name>_cli_tests and
#             <name>_windows_tests; the helpers in tests/ itself serve all three.
# ENGINE: the engine library the program binds by name (lib<engine>.so): the core sees
# only its C interface (<engine>_abi), the rest are built after the library.
# SAMPLES: files copied into <dest-subdir> of the run-time folder.
function(suite_program name)
  cmake_parse_arguments(P "" "ENGINE" "SAMPLES" ${ARGN})
  set(here ${CMAKE_CURRENT_SOURCE_DIR})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${here})
  foreach(layer core windows cli tests/core tests/cli tests/windows)
    if(NOT IS_DIRECTORY ${here}/${layer})
      message(FATAL_ERROR "${folder}/${layer} is missing: every program has core/, windows/, "
                          "cli/ and the same three in tests/")
    endif()
  endforeach()
  macro(sources_of var layer)
    file(GLOB ${var} CONFIGURE_DEPENDS ${here}/${layer}/*.cpp ${here}/${layer}/*.h)
    list(FILTER ${var} EXCLUDE REGEX "/main\\.cpp$")
  endmacro()

  sources_of(core core)
  add_library(${name}_core STATIC ${core})
  suite_headers(${name}_core PUBLIC ${folder}/core)
  target_link_libraries(${name}_core PUBLIC common)

  sources_of(windows windows)
  add_library(${name}_windows STATIC ${windows})
  suite_headers(${name}_windows PUBLIC ${folder}/windows)
  target_link_libraries(${name}_windows PUBLIC ${name}_core common_qt)
  set_target_properties(${name}_windows PROPERTIES AUTOMOC ON)
  add_executable(${name} ${here}/windows/main.cpp)
  target_link_libraries(${name} PRIVATE ${name}_windows)

  sources_of(cli cli)
  add_library(${name}_cli STATIC ${cli})
  suite_headers(${name}_cli PUBLIC ${folder}/cli)
  target_link_libraries(${name}_cli PUBLIC ${name}_core common_cli)
  add_executable(${name}-cli ${here}/cli/main.cpp)
  target_link_libraries(${name}-cli PRIVATE ${name}_cli)
  set(runs ${name} ${name}-cli)

  # Shared test helpers are found by name from every test folder.
  file(GLOB helpers CONFIGURE_DEPENDS ${here}/tests/*.cpp ${here}/tests/*.h)
  foreach(layer core cli windows)
    file(GLOB tests CONFIGURE_DEPENDS ${here}/tests/${layer}/*.cpp ${here}/tests/${layer}/*.h)
    set(test ${name}_${layer}_tests)
    if(layer STREQUAL "windows")
      suite_gui_test(${test} SOURCES ${tests} ${helpers} LIBS ${name}_windows)
    else()
      suite_test(${test} SOURCES ${tests} ${helpers} LIBS ${name}_${layer})
    endif()
    target_include_directories(${test} PRIVATE ${here}/tests)
    list(APPEND runs ${test})
  endforeach()

  if(P_ENGINE)
    target_link_libraries(${name}_core PUBLIC ${P_ENGINE}_abi)
    # The engine's library is bound through Qt Core's loader, display or not.
    target_link_libraries(${name}_cli PUBLIC common_engine)
    target_link_libraries(${name}_core_tests PRIVATE common_engine)
    foreach(run ${runs})
      add_dependencies(${run} ${P_ENGINE})
    endforeach()
  endif()
  if(P_SAMPLES)
    list(POP_FRONT P_SAMPLES dest)
    suite_copy(${name}_samples ${dest} ${P_SAMPLES})
    foreach(run ${runs})
      add_dependencies(${run} ${name}_samples)
    endforeach()
  endif()
  suite_must_not_compile(${name}_core_includes_no_qt ${CMAKE_SOURCE_DIR}/cmake/probes/qt_header.cpp
                         "QString: No such file" LIBS ${name}_core)
endfunction()
