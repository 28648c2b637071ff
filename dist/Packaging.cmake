# Debian packages through CPack: "tamarel" (the window) and "tamarel-list"
# (the command-line tool, which needs nothing but Qt Core), one per install
# component. `cmake --build build --target package` writes them to
# build/packages/. Dependencies are read from the binaries by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamarel)
set(CPACK_PACKAGE_VENDOR Zelko)
set(CPACK_PACKAGE_CONTACT "Zelko <tamarel@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
# Debian packages carry no debug information in their binaries.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(TAMAREL_GUI)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/tamarel)

# Each package's description starts with its own summary line. CPack would
# put the project's description in front of both unless the summary is left
# at CPack's own default, which it knows not to use.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tamarel-list)
set(CPACK_DEBIAN_CLI_DESCRIPTION "make listings of folders as CSV or HTML reports
tamarel-list walks folders, optionally recursively, with file masks and a
phrase the files must contain, and writes one flat list of the files and
folders it finds, with sizes, time stamps and attributes, as a CSV or HTML
report. It makes the same listings and reports as the Tamarel window and
needs no graphical desktop.")

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME tamarel)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION "make listings of folders in a window
Tamarel shows the folders of a drive in an explorer table where the entries
to list are ticked, walks them into one flat list with names, sizes, time
stamps and attributes, and previews, saves or prints it as a CSV or HTML
report. File managers offer it for folders.
.
The command-line tool is in the package tamarel-list.")
# The window's icons are SVG pictures, drawn by Qt's SVG image plugin, which
# is loaded at run time and so cannot be found by dpkg-shlibdeps.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS libqt6svg6)

include(CPack)
