# Installation and the Debian package: vp, its vpdebug link, the manual page, the
# guide and the examples.
include(GNUInstallDirs)

install(TARGETS vp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The link made next to vp after each build; installed as a link, so that starting
# the interpreter by that name turns trace mode on.
install(FILES $<TARGET_FILE_DIR:vp>/vpdebug DESTINATION ${CMAKE_INSTALL_BINDIR})
# The manual pages and the changelog are made at install time, when the prefix
# that the manual names is known (cmake/InstallGenerated.cmake tells how).
find_program(VP_GZIP gzip)
install(CODE "
  set(VP_SOURCE_DIR [[${CMAKE_CURRENT_SOURCE_DIR}]])
  set(VP_WORK_DIR [[${CMAKE_CURRENT_BINARY_DIR}/installed-docs]])
  set(VP_GZIP [[${VP_GZIP}]])
  set(VP_BINDIR [[${CMAKE_INSTALL_BINDIR}]])
  set(VP_DOCDIR [[${CMAKE_INSTALL_DOCDIR}]])
  set(VP_MANDIR [[${CMAKE_INSTALL_MANDIR}]])
  include([[${CMAKE_CURRENT_SOURCE_DIR}/cmake/InstallGenerated.cmake]])
")
# What Debian asks of every package: the copyright and licence, and a note of what
# lintian is told to accept, with the reason.
install(FILES cmake/package/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES cmake/package/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
  RENAME vp)
# The guide links to the examples by relative paths: keep the repository's layout.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
  FILES_MATCHING PATTERN "*.pas" PATTERN "*.conf")
# Syntax files for Vim and for editors that read TextMate grammars, to copy from.
install(DIRECTORY editors/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/editors)

# The package carries the version that `vp -v` answers.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/include/vp/interpreter.hpp vp_version_line
  REGEX "kVersion = \"")
string(REGEX MATCH "\"([^\"]+)\"" _ "${vp_version_line}")
set(VP_VERSION_TEXT ${CMAKE_MATCH_1})

# Debian wants a name and a mail address.
set(VP_PACKAGE_MAINTAINER "vp maintainers <vp@example.org>" CACHE STRING
  "Maintainer named in the packages: a name and <address>")

set(CPACK_PACKAGE_NAME vp)
set(CPACK_PACKAGE_VERSION ${VP_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT ${VP_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "interpreter for a small Pascal-like scripting language, for consoles and CGI")
# Lines of the long description stay within 80 columns, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION [[
vp runs scripts written in a small scripting language modelled on Pascal.
It reads a script one line at a time and carries out each line as soon as
it has read it. It serves as a console program and as a CGI program behind
a web server, with statements that read the request, print the
content-type header and write HTML-escaped text. A trace mode (vpdebug)
prints a line for each decision the interpreter takes.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# vp links the C++ runtime and the FastCGI library (libfcgi-dev's libfcgi.a)
# statically; the C library is its only dependency, and dpkg-shlibdeps finds the
# version it needs when it is at hand.
find_program(VP_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VP_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
endif()
set(CPACK_GENERATOR DEB)
include(CPack)
