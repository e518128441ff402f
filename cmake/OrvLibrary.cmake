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
target_compile_features(orvdcm PUBLIC cxx_std_20)
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

# pkg-config: the library and every module of ours that its public headers reach.
set(ORV_PC_LIBS "-lorvdcm")
foreach(lib IN LISTS core_links gui_links)
  if(TARGET ${lib} AND lib MATCHES "^orv" AND NOT lib MATCHES "^orvdcm")
    string(APPEND ORV_PC_LIBS " -l${lib}")
  endif()
endforeach()
file(RELATIVE_PATH ORV_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ORV_PC_TO_PREFIX "${ORV_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/orvdcm.pc.in ${PROJECT_BINARY_DIR}/orvdcm.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/orvdcm.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# cpack -G DEB: a Debian package of the installed tree, its dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME orvdcm)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Dialogs and helpers of the Skyweave planetarium, with their command line")
set(CPACK_PACKAGE_CONTACT "orvdcm developers <orvdcm@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_LIBDIR})
include(CPack)
