# add_engine_test(NAME source...): a GoogleTest program on the engine, each test registered with CTest.
include(GoogleTest)

function(add_engine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE t3engine GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                             T3_BIN_DIR="${PROJECT_BINARY_DIR}/apps/t3")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS engine)
endfunction()
