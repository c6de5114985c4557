# Installation and the Debian package: vp, its vpdebug link, the manual page, the
# guide and the examples.
include(GNUInstallDirs)

install(TARGETS vp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The link made next to vp after each build; installed as a link, so that starting
# the interpreter by that name turns trace mode on.
install(FILES $<TARGET_FILE_DIR:vp>/vpdebug DESTINATION ${CMAKE_INSTALL_BINDIR})
# Manual pages are installed compressed, as man finds them on Debian systems.
find_program(VP_GZIP gzip)
if(VP_GZIP)
  set(vp_man ${CMAKE_CURRENT_BINARY_DIR}/man/vp.1.gz)
  add_custom_command(OUTPUT ${vp_man}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/man/vp.1 vp.1
    COMMAND ${VP_GZIP} -9nf vp.1
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/man/vp.1
    VERBATIM)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man)
  add_custom_target(vp_man ALL DEPENDS ${vp_man})
else()
  set(vp_man ${CMAKE_CURRENT_SOURCE_DIR}/man/vp.1)
endif()
install(FILES ${vp_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The guide links to the examples by relative paths: keep the repository's layout.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
  FILES_MATCHING PATTERN "*.pas" PATTERN "*.conf")

# The package carries the version that `vp -v` answers.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/include/vp/interpreter.hpp vp_version_line
  REGEX "kVersion = \"")
string(REGEX MATCH "\"([^\"]+)\"" _ "${vp_version_line}")
set(VP_VERSION_TEXT ${CMAKE_MATCH_1})

set(VP_PACKAGE_CONTACT "vp maintainers" CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME vp)
set(CPACK_PACKAGE_VERSION ${VP_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT ${VP_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "interpreter for a small Pascal-like scripting language, for consoles and CGI")
set(CPACK_PACKAGE_DESCRIPTION
  "vp runs scripts written in a small scripting language modelled on Pascal, one line at a time. It serves as a console program and as a CGI program behind a web server, with statements that read the request, print the content-type header and write HTML-escaped text.")
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
