# Install rules and the Debian package. Included from the top-level list file after every
# target is defined (a tool added later is installed when its target exists).
include(GNUInstallDirs)

set(ZOZURA_APP_ID org.zozura.zozura)
set(_dist ${PROJECT_SOURCE_DIR}/dist)

install(TARGETS zozura zevaru-conf RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zevaru-rates)
  install(TARGETS zevaru-rates RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# the GETDATE() extension sits in the program's own library folder; the program finds it from
# its own place and names it in the ODBC data source it writes (LoadExt)
install(TARGETS zozura_sqlite_getdate LIBRARY DESTINATION ${ZOZURA_EXT_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/sql/sqlite.sql ${PROJECT_SOURCE_DIR}/sql/postgresql.sql
              ${PROJECT_SOURCE_DIR}/sql/mssql.sql
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zozura/sql)
install(FILES ${_dist}/registry.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/zozura)
install(FILES ${_dist}/${ZOZURA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_dist}/${ZOZURA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_dist}/${ZOZURA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# manual pages and the changelog go in compressed, as Debian keeps them
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_pages zozura zevaru-conf)
if(TARGET zevaru-rates AND EXISTS ${_dist}/man/zevaru-rates.1)
  list(APPEND _pages zevaru-rates)
endif()
set(_gz)
foreach(_page IN LISTS _pages)
  set(_out ${PROJECT_BINARY_DIR}/dist/${_page}.1.gz)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist
    COMMAND ${GZIP_PROGRAM} -9n -c ${_dist}/man/${_page}.1 > ${_out}
    DEPENDS ${_dist}/man/${_page}.1 VERBATIM)
  list(APPEND _gz ${_out})
  install(FILES ${_out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(_changelog ${PROJECT_BINARY_DIR}/dist/changelog.gz)
add_custom_command(OUTPUT ${_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist
  COMMAND ${GZIP_PROGRAM} -9n -c ${_dist}/changelog > ${_changelog}
  DEPENDS ${_dist}/changelog VERBATIM)
add_custom_target(zozura_dist ALL DEPENDS ${_gz} ${_changelog})
install(FILES ${_changelog} ${_dist}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian package: library dependencies from dpkg-shlibdeps, the rest named here
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zozura)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZOZURA developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exchange-rate management program (환율관리 프로그램)")
# the extended description under the summary line (lines of at most 80 characters)
set(CPACK_PACKAGE_DESCRIPTION "Desktop program for the office staff who keep a company's daily exchange
rates: the US dollar, Vietnamese dong and Korean won rates of each day and a
remark, in a SQL Server, PostgreSQL or ODBC database, or in a personal
embedded SQLite database that the first start offers to set up. Queries a
period into a grid with averages, finds values, exports to Excel workbooks and
charts a rate.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZOZURA developers <zozura@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# what no library link shows: the window system plug-in, the SQLite driver of Qt SQL, the
# picture formats, the Korean fixed-pitch font the forms were designed in, and the C library's
# Korean texts of the system's reasons in the messages
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, qt6-image-formats-plugins, fonts-nanum-coding, libc-l10n")
# the other database back-ends, Qt's own Korean texts and the Korean locale those C library texts
# are read through (without it the reasons are given in the current locale's words)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libqt6sql6-psql, libqt6sql6-odbc, tdsodbc, libsqliteodbc, qt6-translations-l10n, locales-all")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "odbc-postgresql")
include(CPack)
