# `cpack -G DEB` (or `make package`): fermat-lens_<version>_<arch>.deb with the
# install tree of packaging/CMakeLists.txt under /usr. The shared libraries'
# packages come from dpkg-shlibdeps; Qt's platform plugins are loaded at run
# time, so their package is named by hand, as is the font of the captions.
set(CPACK_PACKAGE_NAME fermat-lens)
set(CPACK_PACKAGE_VENDOR "The fermat-lens developers")
set(CPACK_PACKAGE_CONTACT "${FERMAT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One string: a ';' in a list of lines would split it.
set(CPACK_PACKAGE_DESCRIPTION "An interactive optics demonstration for teaching Fermat's principle. Light
from a point source crosses a biconvex lens, and every ray is built by least
travel time, never by a law of refraction. The program finds least-time
paths, draws bundles of rays, continues them after the lens by Huygens
wavelets and measures the refractive index.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${FERMAT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
