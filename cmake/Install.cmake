# What `cmake --install` puts under the prefix: the tool, the module, the
# stand-in libraries hosts link, the headers they compile against, and the
# pkg-config and CMake descriptions of both.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(GLYPHWARD_SOVERSION 1)
set(GLYPHWARD_STAND_INS advapi32 oleaut32 ole32)
# A module is loaded by path, never linked: it stays out of the linker's way.
set(GLYPHWARD_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/glyphward)
set(GLYPHWARD_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/glyphward)
set(GLYPHWARD_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Glyphward)

# Relative run paths keep the installed tree relocatable: a staged prefix, the
# package's /usr, or wherever a user copies it.
file(RELATIVE_PATH glyphward_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH glyphward_module_to_lib
  ${CMAKE_INSTALL_PREFIX}/${GLYPHWARD_MODULE_DIR} ${CMAKE_INSTALL_FULL_LIBDIR})
string(REGEX REPLACE "/$" "" glyphward_module_to_lib "${glyphward_module_to_lib}")

# The stand-ins need $ORIGIN of their own: a run path reaches only the
# object's direct dependencies, and ole32 depends on the other two.
set_target_properties(${GLYPHWARD_STAND_INS} PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${GLYPHWARD_SOVERSION}
  INSTALL_RPATH "$ORIGIN")
set_target_properties(glyphward PROPERTIES INSTALL_RPATH "$ORIGIN/${glyphward_bin_to_lib}")
set_target_properties(MirelGlyphward PROPERTIES INSTALL_RPATH "$ORIGIN/${glyphward_module_to_lib}")

# The stand-ins name the source tree's headers, which an install must not
# carry; installed targets get include/glyphward from INCLUDES DESTINATION.
foreach(target ${GLYPHWARD_STAND_INS})
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  list(TRANSFORM dirs REPLACE "^(.+)$" "$<BUILD_INTERFACE:\\1>")
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${dirs}")
endforeach()

# Headers alone (Glyphward::headers), and everything a host needs in one
# target (Glyphward::Glyphward). The aliases let in-tree code name them the
# way an installed host does.
add_library(glyphward_headers INTERFACE)
set_target_properties(glyphward_headers PROPERTIES EXPORT_NAME headers)
target_include_directories(glyphward_headers INTERFACE
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/component>
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform/include>)
add_library(glyphward_host INTERFACE)
set_target_properties(glyphward_host PROPERTIES EXPORT_NAME Glyphward)
target_link_libraries(glyphward_host INTERFACE glyphward_headers ole32 oleaut32)
add_library(Glyphward::headers ALIAS glyphward_headers)
add_library(Glyphward::Glyphward ALIAS glyphward_host)
add_library(Glyphward::ole32 ALIAS ole32)
add_library(Glyphward::oleaut32 ALIAS oleaut32)

install(TARGETS glyphward RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS MirelGlyphward LIBRARY DESTINATION ${GLYPHWARD_MODULE_DIR})
install(TARGETS ${GLYPHWARD_STAND_INS} glyphward_headers glyphward_host
  EXPORT GlyphwardTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${GLYPHWARD_HEADER_DIR})

# The interface header and the COM and automation declarations it and a
# host's creation calls need; the registry, stream and resource headers are
# the stand-ins' own business.
install(FILES
  ${PROJECT_SOURCE_DIR}/component/MirelGlyphward.h
  ${PROJECT_SOURCE_DIR}/platform/include/oaidl.h
  ${PROJECT_SOURCE_DIR}/platform/include/oatypelib.h
  ${PROJECT_SOURCE_DIR}/platform/include/objbase.h
  ${PROJECT_SOURCE_DIR}/platform/include/oleauto.h
  ${PROJECT_SOURCE_DIR}/platform/include/unknwn.h
  ${PROJECT_SOURCE_DIR}/platform/include/windef.h
  ${PROJECT_SOURCE_DIR}/platform/include/winerror.h
  ${PROJECT_SOURCE_DIR}/platform/include/winnls.h
  DESTINATION ${GLYPHWARD_HEADER_DIR})

install(EXPORT GlyphwardTargets NAMESPACE Glyphward:: DESTINATION ${GLYPHWARD_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/GlyphwardConfig.cmake.in
  ${PROJECT_BINARY_DIR}/GlyphwardConfig.cmake INSTALL_DESTINATION ${GLYPHWARD_CMAKE_DIR}
  PATH_VARS GLYPHWARD_MODULE_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/GlyphwardConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/GlyphwardConfig.cmake
  ${PROJECT_BINARY_DIR}/GlyphwardConfigVersion.cmake DESTINATION ${GLYPHWARD_CMAKE_DIR})

# pkg-config finds the prefix from the file's own place, so a staged install
# (cmake --install --prefix) describes itself correctly.
file(RELATIVE_PATH GLYPHWARD_PC_TO_PREFIX
  ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" GLYPHWARD_PC_TO_PREFIX "${GLYPHWARD_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/glyphward.pc.in ${PROJECT_BINARY_DIR}/glyphward.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/glyphward.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Debian ships manual pages compressed; man reads either form.
find_program(GLYPHWARD_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/glyphward.1.gz
  COMMAND sh -c "${GLYPHWARD_GZIP} -9nc \"$0\" > \"$1\""
          ${PROJECT_SOURCE_DIR}/docs/glyphward.1 ${PROJECT_BINARY_DIR}/glyphward.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/glyphward.1
  VERBATIM)
add_custom_target(glyphward_man ALL DEPENDS ${PROJECT_BINARY_DIR}/glyphward.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/glyphward.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# A host built the way an installed one is, against the tree's targets.
add_subdirectory(${PROJECT_SOURCE_DIR}/examples/c-host ${PROJECT_BINARY_DIR}/examples/c-host)
