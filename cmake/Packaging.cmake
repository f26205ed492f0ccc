# A Debian package of what `cmake --install` puts in place: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME "minizol")
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane <info@quorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desk utilities for Spanish-speaking users")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Four small tools in one program, with a Spanish interface: a peseta and euro calculator,\n"
    "a check-digit calculator (DNI/NIF, CIF, bank account, IBAN, ISBN), an on-screen ruler\n"
    "and a memory monitor. The command minizol-comprobar checks whole lists of those numbers,\n"
    "from files or spreadsheet exports, without a display.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorvane.example/minizol/")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Debug information belongs in a debug build, not in what users install.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The Qt libraries and their versions come from the linked program itself (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Spanish texts: the fields' menus and the dialogs' buttons speak the windows' language.
# libxlsxwriter is loaded only when a workbook is written, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libxlsxwriter4")
# The fonts make every window look alike on every machine; the Wayland plugin lets it start
# where there is no X server at all.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

set(CPACK_GENERATOR "DEB")
include(CPack)
