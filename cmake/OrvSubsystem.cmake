# orv_subsystem_sources(): adds the .cpp files of a subsystem folder to the library. Files
# whose names contain "Dialog" or "Preview" use the window layer and go to the GUI part; the
# rest is non-GUI and builds and tests without Qt.
function(orv_subsystem_sources)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(src IN LISTS sources)
    get_filename_component(name ${src} NAME)
    if(name MATCHES "Dialog|Preview")
      target_sources(orvdcm_gui PRIVATE ${src})
    else()
      target_sources(orvdcm_core PRIVATE ${src})
    endif()
  endforeach()
endfunction()

# orv_subsystem_tests(NAME [GUI] LIBS ...): every *Test.cpp of a test folder in one
# executable; GUI tests in a second one so that the non-GUI ones run without Qt.
function(orv_subsystem_tests name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  set(core)
  set(gui)
  foreach(src IN LISTS sources)
    get_filename_component(n ${src} NAME)
    if(n MATCHES "Dialog|Preview")
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
    # An object library links its own objects only: the GUI tests take both parts.
    orv_add_test(${name}_gui_tests GUI SOURCES ${gui} ${support} LIBS orvdcm_gui orvdcm_core)
  endif()
endfunction()
