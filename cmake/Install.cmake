# The installed layout and the Debian package. Every program and shared library of the product
# (all folders but tests, bench and fuzz) is installed; a new library or tool needs no edit here.
#
#   bin/                         ostrel, nb4410, nb4410-sim, ostrel-regsvr
#   lib/<triplet>/ostrel/        the product's private libraries, the plug-in and the driver
#   share/ostrel/                registry data, catalogue, language files, translations,
#                                standards, sample
#   share/applications, share/metainfo, share/icons, share/man/man1
#
# Programs find the libraries by an $ORIGIN-relative RUNPATH and the data by Paths (host/core),
# so the tree works wherever it is unpacked.

function(ostrel_collect_targets var dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    if(NOT sub MATCHES "/(tests|bench|fuzz)(/|$)")
      ostrel_collect_targets(found ${sub})
      list(APPEND targets ${found})
    endif()
  endforeach()
  set(${var} ${targets} PARENT_SCOPE)
endfunction()

ostrel_collect_targets(all_targets ${PROJECT_SOURCE_DIR})
set(OSTREL_INSTALLED_PROGRAMS)
set(OSTREL_INSTALLED_LIBRARIES)
foreach(target IN LISTS all_targets)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    list(APPEND OSTREL_INSTALLED_PROGRAMS ${target})
  elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    list(APPEND OSTREL_INSTALLED_LIBRARIES ${target})
  endif()
endforeach()

set_target_properties(${OSTREL_INSTALLED_PROGRAMS} PROPERTIES INSTALL_RPATH "$ORIGIN/${OSTREL_RELATIVE_LIB_DIR}")
set_target_properties(${OSTREL_INSTALLED_LIBRARIES} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${OSTREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${OSTREL_INSTALLED_LIBRARIES} LIBRARY DESTINATION ${OSTREL_INSTALL_LIBDIR} NAMELINK_SKIP)

# Shipped data. The class registrations name their libraries without a folder (see
# ClassRegistry), so the build's classes.reg is valid in the installed tree; the settings are
# the installed variant (first real serial port instead of the simulator).
set(resources ${PROJECT_SOURCE_DIR}/resources)
install(DIRECTORY ${resources}/Language ${resources}/standards ${resources}/samples DESTINATION ${OSTREL_INSTALL_DATADIR})
install(FILES ${resources}/OstrelNB4410.mpc DESTINATION ${OSTREL_INSTALL_DATADIR})
install(FILES ${OSTREL_QM_FILES} DESTINATION ${OSTREL_INSTALL_DATADIR}/translations)
file(GLOB shipped_registry CONFIGURE_DEPENDS ${resources}/registry/*.reg)
install(FILES ${shipped_registry} ${OSTREL_APP_DIR}/registry/classes.reg ${CMAKE_BINARY_DIR}/install/registry/ostrel.reg
        DESTINATION ${OSTREL_INSTALL_DATADIR}/registry)

# The desktop: launcher, application icon, AppStream metainfo.
set(OSTREL_APP_ID com.halvard.Ostrel)
install(FILES ${resources}/desktop/${OSTREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources}/desktop/${OSTREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${resources}/desktop/${OSTREL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, compressed as Debian installs them.
file(GLOB man_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/*.1)
set(compressed_pages)
foreach(page IN LISTS man_pages)
  get_filename_component(name ${page} NAME)
  set(out ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < '${page}' > '${out}'"
    DEPENDS ${page}
    VERBATIM)
  list(APPEND compressed_pages ${out})
endforeach()
add_custom_target(ostrel_man ALL DEPENDS ${compressed_pages})
install(FILES ${compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ostrel)

# cpack -G DEB: ostrel_<version>_<arch>.deb, its dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME ostrel)
set(CPACK_PACKAGE_VENDOR "Halvard")
set(CPACK_PACKAGE_CONTACT "Ostrel maintainers <ostrel@halvard.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Test automation for NIBP monitors with the NB-4410 analyzer")
set(CPACK_PACKAGE_DESCRIPTION
    "Ostrel runs test sequences against non-invasive blood-pressure monitors through the\n NB-4410 NIBP Analyzer on a serial line, judges the measurements against limits of\n standards and writes reports. It includes the instrument's command-line tool and a\n simulator of the instrument for training.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://ostrel.invalid/")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${OSTREL_APP_DIR})
# What is loaded at run time is invisible to dpkg-shlibdeps and belongs here (a Qt SQL driver,
# for example). The platform plug-ins "xcb" and "offscreen" come with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "")
set(CPACK_STRIP_FILES ON)
include(CPack)
