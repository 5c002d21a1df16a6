# SPDX-License-Identifier: MIT
# A Debian package of what the install rules put in place, made by CPack from the build
# tree as it stands: `cmake --build <build> --target package` writes xmascard_<version>_<arch>.deb
# there. The libraries it links come in through dpkg-shlibdeps; the SoundFont and the fonts
# it loads at run time are named here.

# Debian wants the package's history beside its copyright, compressed without a time stamp.
file(WRITE ${PROJECT_BINARY_DIR}/package/changelog
  "xmascard (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
  "  * First release as a desktop program: launcher, icons, AppStream file,\n"
  "    manual page, under the MIT licence with its pictures and sounds in CC0-1.0.\n\n"
  " -- ${XMASCARD_MAINTAINER}  Wed, 09 Dec 2026 12:00:00 +0000\n")
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/package/changelog.gz
  COMMAND gzip -9nkf changelog
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
  DEPENDS ${PROJECT_BINARY_DIR}/package/changelog)
add_custom_target(xmascard_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/package/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/package/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME xmascard)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${XMASCARD_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated Christmas and New Year greeting card")
# The summary goes first; CPack puts it there.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Started, it opens a window cut to the outline of a decorated Christmas tree in
the middle of the screen and plays a show of a little over a minute with music
and bells: greetings pass over the tree while its lights change colour and snow
falls, then a greeting card carried by a cherub comes down from above. The card
ends by itself, or at once with a click on the plug on the presents under the
tree.
.
The receiver's and the sender's names can be written inside the card, and the
card can record its whole show, names and sound included, as a video to send
(MP4, WebM or Matroska) or as pictures and a sound file.")

include(CPack)
