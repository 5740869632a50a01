# The Debian package, made by CPack's DEB generator (scripts/package.sh). Its dependencies on
# shared libraries are worked out by dpkg-shlibdeps from the built program.
option(KARTELLO_DEBIAN_DOCS "Install the Debian changelog with the copyright file" OFF)

set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/kartello)
install(FILES ${install_data}/copyright DESTINATION ${doc_folder})
if(KARTELLO_DEBIAN_DOCS)
  add_custom_command(OUTPUT ${generated}/changelog.Debian.gz
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${install_data}/debian-changelog > ${generated}/changelog.Debian.gz
    DEPENDS ${install_data}/debian-changelog
    COMMENT "Compressing the Debian changelog")
  add_custom_target(debian_changelog ALL DEPENDS ${generated}/changelog.Debian.gz)
  install(FILES ${generated}/changelog.Debian.gz DESTINATION ${doc_folder})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kartello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kartello")
set(CPACK_PACKAGE_CONTACT "Kartello developers <kartello@kartello.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "QSL card maker for radio amateurs")
# The extended description, in lines short enough for package managers to show unwrapped.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Kartello makes QSL cards, the cards radio amateurs exchange to confirm a"
  "contact. The contact is typed straight onto a picture card that carries the"
  "station's identity. Kartello saves the card as a JPEG or GIF picture with a"
  "contact info file, copies it to the clipboard, prints one to three cards on a"
  "page, e-mails it to the contact over SMTP, and makes the cards of a whole ADIF"
  "log in one run, in its window or on the command line.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KARTELLO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The card's faces stand in for the ones its designs name (see Fonts.cpp).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dejavu-core, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
