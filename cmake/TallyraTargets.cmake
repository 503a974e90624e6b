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

# The windows of a subsystem folder: ${dir}/ui/*.cpp over the folder's logic
# library. Only these libraries (and the window programs) link Qt Widgets; a
# folder without windows yet gets an interface library, so a program can name
# it before its first window exists.
function(tallyra_ui_library name dir logic)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/ui/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${logic} Qt6::Widgets ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${logic} Qt6::Widgets ${ARGN})
  endif()
endfunction()

# A window program: every .cpp of its apps/ folder, linked to ui libraries.
function(tallyra_window_program name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARGN} Qt6::Widgets)
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
