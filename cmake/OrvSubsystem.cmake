# A subsystem folder's code is non-GUI unless its CMakeLists.txt names it: the files listed
# after GUI use the window layer and go to the GUI part of the library; every other one
# builds, links and is tested without Qt. A folder's test programs are split the same way.

# orv_subsystem_sources([GUI File.cpp ...]): every .cpp of the folder (and below) into
# orvdcm_core, the GUI ones into orvdcm_gui; the folder's public headers are installed.
function(orv_subsystem_sources)
  cmake_parse_arguments(ARG "" "" "GUI" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "orv_subsystem_sources: unexpected ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  orv_split_gui_sources(sources gui ${ARG_GUI})
  target_sources(orvdcm_core PRIVATE ${sources})
  target_sources(orvdcm_gui PRIVATE ${gui})
  file(RELATIVE_PATH rel ${ORV_INCLUDE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvdcm/${rel}
    FILES_MATCHING PATTERN "*.h" PATTERN "detail" EXCLUDE)
endfunction()

# orv_subsystem_tests(NAME [GUI FileTest.cpp ...]): the folder's *Test.cpp files in NAME_tests,
# which must not load Qt, and the GUI ones in NAME_gui_tests.
function(orv_subsystem_tests name)
  cmake_parse_arguments(ARG "" "" "GUI" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "orv_subsystem_tests: unexpected ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  orv_split_gui_sources(sources gui ${ARG_GUI})
  if(sources)
    orv_add_test(${name}_tests SOURCES ${sources} LIBS orvdcm_core)
  endif()
  if(gui)
    # An object library passes its objects only to the targets that name it: both parts.
    orv_add_test(${name}_gui_tests GUI SOURCES ${gui} LIBS orvdcm_gui orvdcm_core)
  endif()
endfunction()

# orv_split_gui_sources(SOURCES_VAR GUI_VAR File.cpp ...): moves the named files (relative
# to the current folder, each of which must be in SOURCES_VAR) from SOURCES_VAR to GUI_VAR.
function(orv_split_gui_sources sources_var gui_var)
  set(sources ${${sources_var}})
  set(gui)
  foreach(file IN LISTS ARGN)
    set(path ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    if(NOT path IN_LIST sources)
      message(FATAL_ERROR "GUI file ${file} is not among the files of ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    list(REMOVE_ITEM sources ${path})
    list(APPEND gui ${path})
  endforeach()
  set(${sources_var} ${sources} PARENT_SCOPE)
  set(${gui_var} ${gui} PARENT_SCOPE)
endfunction()
