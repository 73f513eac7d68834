# What `cmake --install` lays down: the public headers and the library; the
# reference host (headers and the static libstation) as the `station`
# component; the posto program; a CMake package (find_package(bp CONFIG)
# gives bp::bp, and bp::station with COMPONENTS station) and pkg-config files
# (bp, bp-station), all with the project's version.
include(CMakePackageConfigHelpers)

set(BP_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/bp)

# The installed posto finds libbp through a path relative to itself, so the
# tree works under any prefix.
file(RELATIVE_PATH bp_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
set_target_properties(posto PROPERTIES INSTALL_RPATH "$ORIGIN/${bp_bin_to_lib}")
set_target_properties(station PROPERTIES EXPORT_NAME station)

install(TARGETS bp EXPORT bpTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT bp
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT bp
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/bp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT bp)
install(EXPORT bpTargets NAMESPACE bp:: DESTINATION ${BP_CMAKE_DIR} COMPONENT bp)

install(TARGETS station EXPORT bpStationTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT station
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY station DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT station
  FILES_MATCHING PATTERN "*.h")
install(EXPORT bpStationTargets NAMESPACE bp:: DESTINATION ${BP_CMAKE_DIR} COMPONENT station)

install(TARGETS posto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT posto)

configure_package_config_file(cmake/bpConfig.cmake.in ${CMAKE_BINARY_DIR}/bpConfig.cmake
  INSTALL_DESTINATION ${BP_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/bpConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/bpConfig.cmake ${CMAKE_BINARY_DIR}/bpConfigVersion.cmake
  DESTINATION ${BP_CMAKE_DIR} COMPONENT bp)

# The pkg-config files find the prefix from their own place, so they stay
# right when the tree is installed with --prefix or moved.
set(bp_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH BP_PC_PREFIX /${bp_pc_dir} /)
string(REGEX REPLACE "/$" "" BP_PC_PREFIX "${BP_PC_PREFIX}")
if(BP_SHARED)
  set(BP_PC_PRIVATE "")
else()
  # A static libbp brings its own dependencies to the host's link.
  set(BP_PC_PRIVATE "Requires.private: fmt libcrypto sqlite3 libpq\nLibs.private: -l${CMAKE_DL_LIBS}")
endif()
configure_file(cmake/bp.pc.in ${CMAKE_BINARY_DIR}/bp.pc @ONLY)
configure_file(cmake/bp-station.pc.in ${CMAKE_BINARY_DIR}/bp-station.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/bp.pc DESTINATION ${bp_pc_dir} COMPONENT bp)
install(FILES ${CMAKE_BINARY_DIR}/bp-station.pc DESTINATION ${bp_pc_dir} COMPONENT station)
