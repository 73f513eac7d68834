# `cpack -G DEB` in the build folder: one Debian package, "posto", holding
# everything `cmake --install` lays down under /usr. Its Depends come from the
# shared libraries the program and libbp load (dpkg-shlibdeps); building a
# host against the package also needs the -dev packages it suggests.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME posto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Fuel station back office: the bp library, its station host and the posto program")
set(CPACK_PACKAGE_CONTACT "posto maintainers <posto@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# posto needs libbp from this same package: dpkg-shlibdeps finds it in the build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "g++, cmake, pkg-config, libfmt-dev, libssl-dev")
include(CPack)
