# The Debian package: `cpack -G DEB` in the build folder makes tarnwick_<version>_<arch>.deb
# of what `cmake --install` installs, under /usr, its dependencies computed from the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SQL console for learners of SQL")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNWICK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# mdbtools' library, which the programs load when they import a Jet (Access) file, so that the
# computed dependencies cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libmdb3")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The panes' fixed-pitch Japanese font, which lines up the result grids, and Qt's Japanese
# translations of the standard dialogs and menus.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-vlgothic, fonts-ipafont-gothic, qt6-translations-l10n")
# The long description, after the summary line; one string, its lines ending in "\n" and within
# 79 columns (the package's control file puts a space before each).
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tarnwick is a small SQL console for people learning SQL, with a Japanese\n"
  "user interface: type SQL statements, press F5 and read a plain-text\n"
  "transcript of each statement and its result. It speaks the SQL of Jet\n"
  "(Access) textbooks on an embedded SQLite database kept in one .mdb file.\n"
  "tarnwick-run runs the same console from the command line.")
include(CPack)
