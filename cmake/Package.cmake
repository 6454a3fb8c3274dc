# The Debian package, built from an install tree by `cpack -G DEB` in the build folder. Its
# library dependencies come from dpkg-shlibdeps; the programs find their data files relative
# to their own folder, so the package's /usr prefix need not match CMAKE_INSTALL_PREFIX.
set(KREL_PACKAGE_MAINTAINER "Krel Editor developers" CACHE STRING
    "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME krel-editor)
set(CPACK_PACKAGE_VENDOR "Krel Editor developers")
set(CPACK_PACKAGE_CONTACT "${KREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the Galactic Encyclopedia of Vastreach 3")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary above is the synopsis; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Krel Editor opens the Galactic Encyclopedia of the strategy game Vastreach 3
from the game's archives, shows it by table of contents, subject index and
keyword search, edits, adds, deletes and reorders its entries, and exchanges
whole encyclopedias with the game and with other players. It finds the game
in Wine, Proton, Lutris and Bottles prefixes.

The command-line tool krel-encyclopedia reads, checks, indexes, merges and
writes encyclopedias exactly as the editor does.")
include(CPack)
