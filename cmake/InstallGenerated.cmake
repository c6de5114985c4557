# Runs at install time (see Packaging.cmake), when the real prefix is known: cpack
# installs under /usr, `cmake --install build --prefix DIR` under DIR.
#
# The manual page in the sources names the program and the guide where the Debian
# package puts them (/usr/bin, /usr/share/doc/vp); the installed page names them
# under the prefix actually used. Pages and the changelog are compressed as Debian
# systems keep them (gzip -9n: no name, no time stamp, so builds are reproducible),
# and vpdebug(1) is a link to vp(1).
#
# Expects VP_SOURCE_DIR, VP_WORK_DIR, VP_GZIP (empty when there is none) and
# VP_BINDIR, VP_DOCDIR, VP_MANDIR as GNUInstallDirs gives them.
foreach(dir BINDIR DOCDIR MANDIR)
  if(IS_ABSOLUTE "${VP_${dir}}")
    set(full_${dir} "${VP_${dir}}")
  else()
    set(full_${dir} "${CMAKE_INSTALL_PREFIX}/${VP_${dir}}")
  endif()
endforeach()

file(REMOVE_RECURSE "${VP_WORK_DIR}")
file(MAKE_DIRECTORY "${VP_WORK_DIR}")
file(READ "${VP_SOURCE_DIR}/man/vp.1" page)
string(REPLACE "/usr/share/doc/vp" "${full_DOCDIR}" page "${page}")
string(REPLACE "/usr/bin/vp" "${full_BINDIR}/vp" page "${page}")
file(WRITE "${VP_WORK_DIR}/vp.1" "${page}")
file(COPY "${VP_SOURCE_DIR}/cmake/package/changelog" DESTINATION "${VP_WORK_DIR}")

set(suffix "")
if(VP_GZIP)
  set(suffix ".gz")
  foreach(name vp.1 changelog)
    execute_process(COMMAND "${VP_GZIP}" -9n "${name}"
      WORKING_DIRECTORY "${VP_WORK_DIR}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip could not compress ${name}")
    endif()
  endforeach()
endif()
file(CREATE_LINK "vp.1${suffix}" "${VP_WORK_DIR}/vpdebug.1${suffix}" SYMBOLIC)

file(INSTALL "${VP_WORK_DIR}/vp.1${suffix}" "${VP_WORK_DIR}/vpdebug.1${suffix}"
  DESTINATION "${full_MANDIR}/man1")
file(INSTALL "${VP_WORK_DIR}/changelog${suffix}" DESTINATION "${full_DOCDIR}")
