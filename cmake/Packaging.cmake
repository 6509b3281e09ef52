# The Debian package: `cpack -G DEB` in the build folder writes
# glyphward_VERSION_ARCH.deb with everything `cmake --install` puts under
# /usr, plus the systemd unit.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphward)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Glyphward developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAPTCHA component, command-line tool and HTTP service")
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphward makes random codes, draws them as distorted pictures (JPEG, PNG, GIF,\n"
  "TIFF, BMP), speaks them as WAV files and checks answers against a hash. It comes\n"
  "as an in-process COM-style module for C and C++ hosts, the glyphward tool, and\n"
  "an HTTP service (glyphward.service, not enabled on installation).")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Glyphward developers")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pictures are drawn with these fonts; nothing links them, so shlibdeps
# cannot know.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Lets other packages' hosts depend on the stand-ins through shlibdeps.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

# The unit names /usr/bin/glyphward, so only the package carries it: a plain
# `cmake --install` leaves it out, and the package installs that component
# on top of the default ones.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/glyphward.service
  DESTINATION lib/systemd/system COMPONENT systemd EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/"
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};systemd;/")

include(CPack)
