# The Debian package (`make package`): the install tree under /usr, its
# dependencies computed from the programs' shared libraries by dpkg-shlibdeps.

# The documents every Debian package carries, in share/doc/ under the
# package's own (lower-case) name, where Debian's tools look for them.
set(TALLYRA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tallyra)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
                   COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/packaging/changelog
                   DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${TALLYRA_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${TALLYRA_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tallyra developers")
set(CPACK_PACKAGE_CONTACT "The Tallyra developers <developers@tallyra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal finance manager with reports")
set(CPACK_PACKAGE_DESCRIPTION
    "Tallyra keeps a book of your accounts: registers with running balances,\n"
    "transfers between currencies, categories and projects, planned\n"
    "transactions with reminders, backups, bank statements imported from\n"
    "QIF, OFX and CSV, and QIF and text export.\n"
    "Sumora reports the book by transactions, categories and projects, and\n"
    "tallyra-cli runs the same work from scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's platform plugins
# draw the windows; xdg-open shows the help and saved reports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
