# add_engine_test(NAME source...): a GoogleTest program on the engine, each test registered with CTest.
# Every test has a time limit, so that a reader that waits for ever (on a pipe, a device) fails its test
# rather than hang the run.
include(GoogleTest)

function(add_engine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE t3engine GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                             T3_BIN_DIR="${PROJECT_BINARY_DIR}/apps/t3")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS engine TIMEOUT 300)
endfunction()

# add_ui_test(NAME source...): a QtTest program on the windows, run without a display.
function(add_ui_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE t3ui_complet Qt6::Test)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui TIMEOUT 600 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
