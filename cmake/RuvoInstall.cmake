# Installs the libraries and the ruvo tool with a CMake package, so host applications can say
# find_package(Ruvo) and link Ruvo::dating, Ruvo::host and the libraries that follow them.
include(CMakePackageConfigHelpers)

install(TARGETS ${RUVO_EXPORTED_LIBRARIES} EXPORT RuvoTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS ruvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RUVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ruvo)
install(EXPORT RuvoTargets NAMESPACE Ruvo:: DESTINATION ${RUVO_CMAKE_DIR})
configure_package_config_file(cmake/RuvoConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/RuvoConfig.cmake INSTALL_DESTINATION ${RUVO_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/RuvoConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/RuvoConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/RuvoConfigVersion.cmake DESTINATION ${RUVO_CMAKE_DIR})
