include(CMakePackageConfigHelpers)
install(EXPORT tarvexTargets NAMESPACE tarvex::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tarvex)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/tarvexConfig.cmake.in
  ${CMAKE_BINARY_DIR}/tarvexConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tarvex)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/tarvexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/tarvexConfig.cmake
  ${CMAKE_BINARY_DIR}/tarvexConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/tarvex)
