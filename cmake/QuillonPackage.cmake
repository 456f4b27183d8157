# The Debian package, made by CPack from the install rules (scripts/package). Its
# dependencies on shared libraries are worked out by dpkg-shlibdeps from what the programs
# link; the rest are what Quillon needs at run time but does not link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_CONTACT "The Quillon developers <quillon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "link helper for bloggers: Markdown, BBCode and rich hyperlinks")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillon turns a link title and a web address into a Markdown link and a BBCode link,
keeps a sorted list of each in a text file, and puts a formatted hyperlink (blue,
underlined, carrying the address) on the clipboard as rich text, HTML and plain text.
quillon-link makes the same hyperlink from a shell.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QUILLON_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "Arial" is measured with Liberation Sans, which has its metrics; Chinese titles need a
# font with Han characters; Wayland sessions want Qt's Wayland platform.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland, qt6-translations-l10n")
include(CPack)
