# Installed libraries find each other beside themselves, and programs find them relative to
# their own folder (OrvProgramRunpath), so an installed tree works from any prefix without
# a library search path.
set(CMAKE_INSTALL_RPATH "$ORIGIN")
file(RELATIVE_PATH ORV_BINDIR_TO_LIBDIR /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
set(ORV_PROGRAM_RUNPATH "$ORIGIN/${ORV_BINDIR_TO_LIBDIR}")

# orv_add_module(NAME SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One shared library of the framework or of a sibling module, with a SONAME, hidden
# symbols by default (ORV_API marks the exported ones) and install rules.
function(orv_add_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${ORV_INCLUDE_ROOT}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/orvdcm>)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  target_compile_features(${name} PUBLIC cxx_std_20)
  install(TARGETS ${name} EXPORT orvdcmTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  # Public headers keep their path below the include root.
  file(RELATIVE_PATH rel ${ORV_INCLUDE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvdcm/${rel}
    FILES_MATCHING PATTERN "*.h" PATTERN "detail" EXCLUDE PATTERN "qt" EXCLUDE)
endfunction()

# orv_test_environment(VAR [GUI]): the environment a test runs in, into VAR: Qt's offscreen
# platform for programs that open windows, the sanitizers' settings in a sanitizer build, and
# registry roots inside the build tree, so that no test reads or writes the user's own.
function(orv_test_environment var)
  cmake_parse_arguments(ARG "GUI" "" "" ${ARGN})
  set(env "XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/test-home/config"
    "XDG_CONFIG_DIRS=${PROJECT_BINARY_DIR}/test-home/machine")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(ORV_SANITIZE)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  set(${var} "${env}" PARENT_SCOPE)
endfunction()

# orv_add_test(NAME [GUI] SOURCES ... LIBS ...): one GoogleTest executable with the shared
# test helpers, one CTest entry. Only GUI test programs may load Qt: the others check, after
# running, that nothing did.
function(orv_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orv_test_support GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${ORV_INCLUDE_ROOT} ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  if(ARG_GUI)
    orv_test_environment(env GUI)
  else()
    orv_test_environment(env)
    target_compile_definitions(${name} PRIVATE ORV_TEST_WITHOUT_QT)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()
