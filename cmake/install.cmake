# Where an installed copy puts its files, and the Debian package (make package) built from them.
# The program finds its samples and manual relative to its bin/ folder (bin/../share/...), so
# every prefix works the same way.
set(TARSEK_SHARE ${CMAKE_INSTALL_DATAROOTDIR})

if(TARGET tarsek)
  install(TARGETS tarsek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET tarsek-calc)
  install(TARGETS tarsek-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${TARSEK_SHARE}/tarsek/samples)

install(FILES ${PROJECT_SOURCE_DIR}/data/tarsek.desktop DESTINATION ${TARSEK_SHARE}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.tarsek.Tarsek.metainfo.xml
        DESTINATION ${TARSEK_SHARE}/metainfo)

# Icons: the drawing itself, and PNGs rendered from it at the sizes desktops look for.
set(TARSEK_ICON_SVG ${PROJECT_SOURCE_DIR}/data/icons/tarsek.svg)
install(FILES ${TARSEK_ICON_SVG} DESTINATION ${TARSEK_SHARE}/icons/hicolor/scalable/apps)
find_program(TARSEK_RSVG rsvg-convert REQUIRED)
set(TARSEK_ICON_PNGS)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/tarsek.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${TARSEK_RSVG} -w ${size} -h ${size} ${TARSEK_ICON_SVG} -o ${png}
    DEPENDS ${TARSEK_ICON_SVG} VERBATIM)
  list(APPEND TARSEK_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${TARSEK_SHARE}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Man pages and the package's changelog go compressed, as Debian expects them.
find_program(TARSEK_GZIP gzip REQUIRED)
set(TARSEK_GZIPPED)
foreach(page tarsek tarsek-calc)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${TARSEK_GZIP} -9nc ${PROJECT_SOURCE_DIR}/data/man/${page}.1 > ${gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page}.1)
  list(APPEND TARSEK_GZIPPED ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(changelog_gz ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND ${TARSEK_GZIP} -9nc ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${changelog_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
list(APPEND TARSEK_GZIPPED ${changelog_gz})
add_custom_target(tarsek_data ALL DEPENDS ${TARSEK_ICON_PNGS} ${TARSEK_GZIPPED})
install(FILES ${changelog_gz} ${PROJECT_SOURCE_DIR}/data/debian/copyright
        DESTINATION ${TARSEK_SHARE}/doc/tarsek)

# --- the Debian package ----------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarsek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "directional drilling design and survey calculation")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# A placeholder until the project has a mailing address of its own.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarsek developers <tarsek@example.org>")
# What no shared-library dependency names: Qt's SQLite driver, which the help window's engine
# loads as a plugin, and the Chinese font the windows and pages are drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-wqy-microhei")
# CPack puts the summary above these lines as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
   "Tarsek is a desktop tool for the directional drilling engineer. One well is
open at a time: Tarsek designs its planned profile, computes the trajectory
from the survey stations by the usual survey methods, tells how the well
still reaches its targets, checks the clearance to neighbouring wells and
prints the survey report, the design report and the plot. A set of drilling
calculators (bit hydraulics, casing strength, kill mud, stuck point,
azimuth turn) and the command-line companion tarsek-calc come with it.
The user interface and the manual are in Simplified Chinese.")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
