# One static library per subsystem folder: its logic at the top of the folder.
# Windows live in the folder's ui/ subfolder and get a library of their own.
function(tallyra_logic_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    # A folder whose logic is all in headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# A test executable per tests/ folder, each case registered with CTest.
function(tallyra_test_suite name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE tallyra_testsupport GTest::gtest GTest::gmock GTest::gtest_main ${ARGN})
  # Outside test files (QIF exports of other programs) live beside the
  # project, never in it; TALLYRA_SAMPLES in the environment overrides this.
  target_compile_definitions(${name} PRIVATE TALLYRA_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/../shared/samples")
  # One property value only: a list would be split into separate arguments
  # on its way to set_tests_properties and dropped.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
