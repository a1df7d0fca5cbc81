# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `make package` (or `cpack` in the build folder) writes
# tavora_<version>_<arch>.deb. Included last, when every target is known.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavora)
set(CPACK_PACKAGE_VENDOR "The Tavora developers")
set(CPACK_PACKAGE_CONTACT "${TAVORA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# No homepage field until the project has one.
if(TAVORA_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAVORA_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[DL6WU long Yagi antenna calculator for VHF and UHF
Tavora is a calculator for radio amateurs who build long Yagi-Uda beam
antennas by the DL6WU method. From a design frequency, the number of
directors, the boom and element sizes and their mounting it computes every
element's length, spacing and boom position, the gain, the beamwidth, a
folded-dipole radiator and a 4:1 coax balun, and prints the report.
.
Around the design: export to YO (.yag) and MMANA-GAL (.maa), conversion of
an existing Yagi, gain from boom length, stacking of two Yagis, SWR and coax
loss, parallel-rod line impedance, and a simulation of the design with the
NEC-2 antenna engine (nec2c) for its gain, patterns and SWR over a sweep.
tavora-cli runs the same calculations without a window.]=])
# The libraries come from dpkg-shlibdeps; what the program loads at run time
# by name (the fonts its windows ask for, the help's database driver) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(depends)
if(TARGET tavora)
  list(APPEND depends fonts-comic-neue fonts-liberation2 fonts-dejavu-core)
endif()
if(TARGET tavora_help)
  list(APPEND depends libqt6sql6-sqlite)
endif()
string(REPLACE ";" ", " CPACK_DEBIAN_PACKAGE_DEPENDS "${depends}")
# The antenna simulation runs nec2c when it is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS nec2c)
include(CPack)
