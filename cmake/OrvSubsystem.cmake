# orv_subsystem_sources([GUI file.cpp ...]): adds the .cpp files of a subsystem folder to the
# library. The files listed after GUI use the window layer and go to the GUI part, as do
# files whose names contain "Dialog" or "Preview"; the rest is non-GUI and builds and tests
# without Qt.
function(orv_subsystem_sources)
  cmake_parse_arguments(ARG "" "" "GUI" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(src IN LISTS sources)
    get_filename_component(name ${src} NAME)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${src})
    if(name MATCHES "Dialog|Preview" OR rel IN_LIST ARG_GUI)
      target_sources(orvdcm_gui PRIVATE ${src})
    else()
      target_sources(orvdcm_core PRIVATE ${src})
    endif()
  endforeach()
endfunction()

# orv_subsystem_tests(NAME [GUI XTest.cpp ...]): every *Test.cpp of a test folder in one
# executable; GUI tests (those listed after GUI, and those named like GUI sources) in a
# second one so that the non-GUI ones run without Qt.
function(orv_subsystem_tests name)
  cmake_parse_arguments(ARG "" "" "GUI" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  set(core)
  set(gui)
  foreach(src IN LISTS sources)
    get_filename_component(n ${src} NAME)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${src})
    if(n MATCHES "Dialog|Preview" OR rel IN_LIST ARG_GUI)
      list(APPEND gui ${src})
    else()
      list(APPEND core ${src})
    endif()
  endforeach()
  file(GLOB support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
  if(core)
    orv_add_test(${name}_tests SOURCES ${core} ${support} LIBS orvdcm_core)
  endif()
  if(gui)
    # Object libraries pass on their objects only to the targets that name them: both parts.
    orv_add_test(${name}_gui_tests GUI SOURCES ${gui} ${support} LIBS orvdcm_gui orvdcm_core)
  endif()
endfunction()
