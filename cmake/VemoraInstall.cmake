# What `cmake --install` puts under the prefix, the CMake package and pkg-config files that
# let hosts find it, and the Debian package CPack builds from the same rules.
#
# Every path a program or the library follows at run time is relative to where it is
# installed, so the tree also works after `cmake --install --prefix` somewhere else.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(vemora_installed_targets libvemora libvemora_gateway_sqlite)
if(TARGET libvemora_gateway_postgres)
  list(APPEND vemora_installed_targets libvemora_gateway_postgres)
endif()
set(vemora_installed_programs vemora)
if(TARGET vemora-host)
  list(APPEND vemora_installed_programs vemora-host)
endif()

# Programs find the libraries beside the prefix they are installed in.
file(RELATIVE_PATH vemora_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(${vemora_installed_programs} PROPERTIES
  INSTALL_RPATH "$ORIGIN/${vemora_bin_to_lib}")

# The library finds its help pages from its own folder.
file(RELATIVE_PATH vemora_lib_to_help ${CMAKE_INSTALL_FULL_LIBDIR}
  ${CMAKE_INSTALL_FULL_DATADIR}/vemora/help)
target_compile_definitions(vemora_platform PRIVATE VEMORA_INSTALLED_HELP="${vemora_lib_to_help}")

install(TARGETS ${vemora_installed_targets} EXPORT VemoraTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Runtime)
install(TARGETS ${vemora_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES include/vemora/vemora.h include/vemora/gateway.h include/vemora/change_feed.h
  include/vemora/sqlite_gateway.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vemora)
if(TARGET libvemora_gateway_postgres)
  install(FILES include/vemora/postgres_gateway.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vemora)
endif()

# find_package(Vemora CONFIG): Vemora::vemora, Vemora::gateway_sqlite, Vemora::gateway_postgres.
# Their link interfaces hold only the C++ standard library, so there is nothing to find
# first.
set(vemora_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vemora)
install(EXPORT VemoraTargets NAMESPACE Vemora:: DESTINATION ${vemora_cmake_dir})
configure_package_config_file(cmake/VemoraConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VemoraConfig.cmake INSTALL_DESTINATION ${vemora_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VemoraConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VemoraConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/VemoraConfigVersion.cmake DESTINATION ${vemora_cmake_dir})

# pkg-config: the prefix is found from the .pc file's own folder.
set(vemora_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH vemora_pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${vemora_pc_dir} ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" vemora_pc_to_prefix "${vemora_pc_to_prefix}")
function(vemora_pkg_config file library description)
  set(PC_LIBRARY ${library})
  set(PC_DESCRIPTION ${description})
  configure_file(cmake/vemora.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${file}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${file}.pc DESTINATION ${vemora_pc_dir})
endfunction()
vemora_pkg_config(vemora vemora "Embeddable image catalogue window (ShowVemora)")
vemora_pkg_config(vemora-gateway-sqlite vemora-gateway-sqlite "Vemora catalogue gateway over SQLite")
if(TARGET libvemora_gateway_postgres)
  vemora_pkg_config(vemora-gateway-postgres vemora-gateway-postgres
    "Vemora catalogue gateway over PostgreSQL")
endif()

# The Debian package: vemora_<version>_amd64.deb, its dependencies computed from the
# installed binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vemora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vemora developers <vemora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "embeddable image catalogue for desktop applications")
set(CPACK_PACKAGE_DESCRIPTION
  "A shared library that opens a German-language image catalogue as a modal window over a host \
application, with SQLite and PostgreSQL gateways, headers, a CMake package, the vemora \
command-line tool and the vemora-host demo.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# A Debian package always installs under /usr, whatever prefix the build was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
