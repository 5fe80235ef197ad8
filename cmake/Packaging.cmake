# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh makes a release build
# and runs it). Its dependencies come from the programs' own libraries (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME "brindle")
set(CPACK_PACKAGE_VENDOR "Brindle")
set(CPACK_PACKAGE_CONTACT "Brindle <support@brindle.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two files and merge their differences")
set(CPACK_PACKAGE_DESCRIPTION "Brindle compares text files line by line and binary files byte by byte, shows \
the sections the two files share and those that differ side by side, and writes a merge file that \
holds both versions, with an editor to merge them. brdcmp runs comparisons and batch scripts \
without a window.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "devel")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://brindle.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
