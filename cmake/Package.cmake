# `make package`: a Debian package of what `make install` installs, its
# library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Quirnel developers <quirnel@example.org>" CACHE STRING "Package maintainer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch renamer for files and folders")
set(CPACK_PACKAGE_DESCRIPTION
    "Quirnel collects files and folders into a list and shows, for every item,\n\
its old name and folder beside a proposed new name and folder. Commands\n\
reshape all proposals at once; the changes are checked and then applied by\n\
renaming, moving or copying, never overwriting. Includes quirnel-cli, which\n\
runs the same operations from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUIRNEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window looks its file and folder icons up in this theme; the toolkit's
# own dialogs take their Korean texts from the translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, qt6-translations-l10n")
include(CPack)

if(TARGET quirnel)
  add_test(NAME dist_package
           COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/package_test.sh ${PROJECT_BINARY_DIR}
                   ${PROJECT_SOURCE_DIR}/tests/dist/installed-files.txt ${PROJECT_VERSION})
endif()
