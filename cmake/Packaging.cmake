# The Debian package (scripts/package.sh): everything that has an install rule,
# plus the desktop entry, icon, AppStream metainfo and man pages.
set(KELVORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KELVORA_APP_ID org.kelvora.Kelvora)

install(FILES ${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.metainfo.xml
               ${PROJECT_BINARY_DIR}/packaging/${KELVORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${KELVORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages, compressed as Debian keeps them (gzip -n: the same bytes at every build).
find_program(KELVORA_GZIP gzip REQUIRED)
set(KELVORA_MAN_PAGES)
foreach(page kelvora kelvora-newdb)
    configure_file(${KELVORA_PACKAGING_DIR}/${page}.1 ${PROJECT_BINARY_DIR}/packaging/${page}.1 @ONLY)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz
        COMMAND ${KELVORA_GZIP} -9nf -k ${PROJECT_BINARY_DIR}/packaging/${page}.1
        DEPENDS ${PROJECT_BINARY_DIR}/packaging/${page}.1)
    list(APPEND KELVORA_MAN_PAGES ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
endforeach()
add_custom_target(kelvora_man_pages ALL DEPENDS ${KELVORA_MAN_PAGES})
install(FILES ${KELVORA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

foreach(doc README.md docs/USER_GUIDE.md)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${doc})
        install(FILES ${PROJECT_SOURCE_DIR}/${doc} DESTINATION ${CMAKE_INSTALL_DOCDIR})
    endif()
endforeach()
if(EXISTS ${PROJECT_SOURCE_DIR}/docs/images)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvora")
set(CPACK_PACKAGE_CONTACT "Kelvora developers <dev@kelvora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "daily cash book of a cash desk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "daily cash book of a cash desk
 Kelvora keeps the cash book of the cash desk of a small Greek business:
 users log in, book each day's income and expenses under transaction codes,
 close the day's cash, and print the day sheet and period reports. Several
 workstations may share one data folder. Also holds the Prynex page-layout
 and print-preview library.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are read from the binaries; SQLCipher is linked in
# statically, so libcrypto arrives through it. The fonts are what the reports
# are laid out with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation")
set(CPACK_STRIP_FILES ON)
set(CPACK_SET_DESTDIR OFF)
include(CPack)
