# The Debian package, stria_7.0_amd64.deb: `cpack --config build/CPackConfig.cmake`.
# Included last by the top-level CMakeLists so that every install rule is known.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stria)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(CPACK_PACKAGE_VENDOR "Quorin Font")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Code 93 barcode maker for the Sample 93 barcode typefaces")
# One line each as the package manager shows it: Debian wants at most 80 characters a line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Makes Code 93 barcode strings (Full ASCII, check characters C and K) for the"
    "twelve Sample 93 barcode typefaces it ships, previews them, copies them as rich"
    "text, prints a sample page, opens label-sheet templates and exports BMP, GIF,"
    "JPG and PNG pictures. Includes the stria93 command-line encoder and exporter.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME "stria_${CPACK_PACKAGE_VERSION}_amd64.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorin Font <support@quorinfont.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorinfont.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The button pictures are SVG, drawn by a plugin that no linked library names; so is the window
# on a Wayland session. stria93 verify reads a PDF through pdftoppm.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fontconfig, xdg-utils, fonts-liberation2, libqt6svg6, qt6-wayland, poppler-utils")
# Help opens stria.chm, or its HTML pages in a browser, Labels opens RTF templates and the about
# box the PDF manual, each with whatever the desktop has for them.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "firefox-esr | www-browser, xchm | kchmviewer, libreoffice-writer, evince | pdf-viewer")
set(CPACK_STRIP_FILES ON)
# The LibreOffice extension's libraries come with LibreOffice, in its own folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS /usr/lib/libreoffice/program)
# The default component, and the LibreOffice extension unpacked into the folder of bundled
# extensions, which only the package installs.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};stria;Unspecified;/")
if(TARGET stria93_oxt)
    list(APPEND CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};stria;libreoffice;/")
    set(CPACK_DEBIAN_PACKAGE_ENHANCES "libreoffice-calc, libreoffice-writer")
endif()
include(CPack)
