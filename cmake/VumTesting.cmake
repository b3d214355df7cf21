# Test and benchmark targets: tests/CMakeLists.txt and bench/CMakeLists.txt register them
# with these helpers.
find_package(GTest REQUIRED)
include(GoogleTest)

set(VUM_TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)
set(VUM_BENCH_DIR ${PROJECT_SOURCE_DIR}/bench)

# vum_add_test(<name> <label: unit|ui|e2e> <sources...>): a GoogleTest executable whose
# tests ctest discovers one by one. Sources are relative to tests/.
function(vum_add_test name label)
  list(TRANSFORM ARGN PREPEND ${VUM_TESTS_DIR}/)
  add_executable(${name} ${ARGN} ${VUM_TESTS_DIR}/TestFolder.cpp)
  target_include_directories(${name} PRIVATE ${VUM_TESTS_DIR})
  target_link_libraries(${name} PRIVATE vum_common vum_warnings GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} PROPERTIES LABELS ${label} DISCOVERY_TIMEOUT 60)
endfunction()

# vum_add_bench(<name> <sources...>): a benchmark executable, sources relative to bench/,
# built into build/<preset>/bench where ./vum bench looks. The benchmarks time single
# operations themselves, since their goals are percentiles of one puzzle or one tick.
function(vum_add_bench name)
  list(TRANSFORM ARGN PREPEND ${VUM_BENCH_DIR}/)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vum_common vum_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
endfunction()

# vum_add_ui_test(<name> <sources...>): a GoogleTest executable for windows, run offscreen
# (label ui). Its main (tests/QtTestMain.cpp) makes the application object first.
function(vum_add_ui_test name)
  list(TRANSFORM ARGN PREPEND ${VUM_TESTS_DIR}/)
  add_executable(${name} ${ARGN} ${VUM_TESTS_DIR}/TestFolder.cpp ${VUM_TESTS_DIR}/QtTestMain.cpp)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${VUM_TESTS_DIR})
  target_link_libraries(${name} PRIVATE vum_gui vum_warnings GTest::gtest Qt6::Widgets Qt6::Test)
  gtest_discover_tests(${name} PROPERTIES LABELS ui ENVIRONMENT QT_QPA_PLATFORM=offscreen
                       DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
endfunction()

# vum_add_e2e_test(<name> <script relative to tests/> <program target> [arguments...]): runs
# the script under a virtual X server of its own with the program's path, the xshot tool's
# path, tests/e2e and the arguments.
function(vum_add_e2e_test name script program)
  add_test(NAME ${name}
           COMMAND bash ${VUM_TESTS_DIR}/e2e/with_xvfb.sh 1280x1024x24 bash ${VUM_TESTS_DIR}/${script}
                   $<TARGET_FILE:${program}> $<TARGET_FILE:xshot> ${VUM_TESTS_DIR}/e2e ${ARGN})
  # One at a time: the tests watch the clock, and two games at once would share two cores.
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=xcb"
                       RESOURCE_LOCK xserver)
endfunction()
