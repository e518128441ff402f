# liborvdcm.so: the library's own four subsystems (and its resources), from the object
# libraries that the subsystem folders filled.
configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.cpp.in ${PROJECT_BINARY_DIR}/generated/OrvdcmVersion.cpp @ONLY)
target_sources(orvdcm_core PRIVATE ${PROJECT_BINARY_DIR}/generated/OrvdcmVersion.cpp)
get_target_property(gui_sources orvdcm_gui SOURCES)
if(NOT gui_sources)
  file(WRITE ${PROJECT_BINARY_DIR}/generated/OrvdcmGuiNone.cpp "// No GUI sources yet.\n")
  target_sources(orvdcm_gui PRIVATE ${PROJECT_BINARY_DIR}/generated/OrvdcmGuiNone.cpp)
endif()
foreach(part orvdcm_core orvdcm_gui)
  target_include_directories(${part} PUBLIC $<BUILD_INTERFACE:${ORV_INCLUDE_ROOT}>)
endforeach()
target_link_libraries(orvdcm_core PUBLIC orvbase orvstore orvreg orvcom orvcim orvsky)
target_link_libraries(orvdcm_gui PUBLIC orvdcm_core orvgdi orvui orvcst)

add_library(orvdcm SHARED $<TARGET_OBJECTS:orvdcm_core> $<TARGET_OBJECTS:orvdcm_gui>)
get_target_property(core_links orvdcm_core INTERFACE_LINK_LIBRARIES)
get_target_property(gui_links orvdcm_gui INTERFACE_LINK_LIBRARIES)
foreach(lib IN LISTS core_links gui_links)
  if(lib AND NOT lib STREQUAL "orvdcm_core")
    target_link_libraries(orvdcm PUBLIC ${lib})
  endif()
endforeach()
target_include_directories(orvdcm PUBLIC $<BUILD_INTERFACE:${ORV_INCLUDE_ROOT}>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/orvdcm>)
set_target_properties(orvdcm PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
install(TARGETS orvdcm EXPORT orvdcmTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The subsystems' headers are installed by orv_subsystem_sources().

include(CMakePackageConfigHelpers)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/orvdcmConfig.cmake.in
  ${PROJECT_BINARY_DIR}/orvdcmConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvdcm)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/orvdcmConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(EXPORT orvdcmTargets NAMESPACE orvdcm:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvdcm)
install(FILES ${PROJECT_BINARY_DIR}/orvdcmConfig.cmake ${PROJECT_BINARY_DIR}/orvdcmConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/orvdcm)
