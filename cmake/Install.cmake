# What `cmake --install` puts under the prefix: the module with its SONAME, the platform
# libraries it runs on, the public headers, the host program, a CMake package
# (find_package(MediaDeviceService CONFIG): MediaDeviceService::<name> targets) and
# pkg-config files. Included last, once every target exists.
include(CMakePackageConfigHelpers)

set(MDS_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/mediadeviceservice)
set(MDS_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/MediaDeviceService)

# mds_install_library(<target> <name>): installs a library as MediaDeviceService::<name>, with
# the headers of its include/ folder. Include folders in the source tree serve the build only;
# the installed headers share one root.
function(mds_install_library target name)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})

  get_target_property(directories ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(directories)
    set(build_only "")
    foreach(directory IN LISTS directories)
      if(directory MATCHES "^\\$<")
        list(APPEND build_only "${directory}")
        continue()
      endif()
      list(APPEND build_only "$<BUILD_INTERFACE:${directory}>")
      # Targets may share an include/ folder (the module and its interfaces do): install it once.
      get_property(installed GLOBAL PROPERTY MDS_INSTALLED_INCLUDE_DIRECTORIES)
      if(directory MATCHES "/include$" AND NOT directory IN_LIST installed)
        set_property(GLOBAL APPEND PROPERTY MDS_INSTALLED_INCLUDE_DIRECTORIES "${directory}")
        install(DIRECTORY ${directory}/ DESTINATION ${MDS_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
      endif()
    endforeach()
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${build_only}")
  endif()

  # The pkg-config files name every platform library, dependents first.
  if(type STREQUAL "SHARED_LIBRARY" AND NOT target STREQUAL "mediadeviceservice")
    set(libs "-l${target} ${MDS_PC_PLATFORM_LIBS}")
    string(STRIP "${libs}" libs)
    set(MDS_PC_PLATFORM_LIBS "${libs}" PARENT_SCOPE)
  endif()

  install(TARGETS ${target} EXPORT MediaDeviceServiceTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${MDS_INSTALL_INCLUDEDIR})
endfunction()

# Every installed library, dependencies first. A new platform library gets one line here.
mds_install_library(olvar_logging logging)
mds_install_library(mirel_coreutils coreutils)
mds_install_library(olvar_ravo ravo)
mds_install_library(olvar_unified unified)
mds_install_library(olvar_velk velk)
mds_install_library(olvar_velk_simulated velk_simulated)
if(TARGET olvar_velk_pulse)
  mds_install_library(olvar_velk_pulse velk_pulse)
endif()
# The module's public headers are its include/ folder as it stands (the business objects with
# their observers and notifier sets, and the entry point); the rest of src/ is private.
mds_install_library(mediadeviceservice_interfaces interfaces)
mds_install_library(mediadeviceservice module)

install(TARGETS mediadevice-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT MediaDeviceServiceTargets NAMESPACE MediaDeviceService:: DESTINATION ${MDS_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/MediaDeviceServiceConfig.cmake.in
  ${PROJECT_BINARY_DIR}/MediaDeviceServiceConfig.cmake INSTALL_DESTINATION ${MDS_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/MediaDeviceServiceConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/MediaDeviceServiceConfig.cmake
  ${PROJECT_BINARY_DIR}/MediaDeviceServiceConfigVersion.cmake DESTINATION ${MDS_INSTALL_CMAKEDIR})

# The prefix is found from the file's own place, so `cmake --install --prefix` anywhere works.
file(RELATIVE_PATH MDS_PC_PREFIX_FROM_PCFILEDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" MDS_PC_PREFIX_FROM_PCFILEDIR "${MDS_PC_PREFIX_FROM_PCFILEDIR}")
foreach(pc mediadeviceservice mediadeviceservice-interfaces)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
