# Where everything goes on installation, and the Debian package made of it.
#
# Every rule belongs to the component "kivrel", and the package takes that
# component alone: nothing that a library found by the build installs for
# itself (GoogleTest, Google Benchmark) can end up in it.

include(GNUInstallDirs)

set(KIVREL_INSTALL_COMPONENT kivrel)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# The programs, each only when this build makes it. They link no library of
# ours, so they are installed without the $ORIGIN run path that
# qt_standard_project_setup() would give them.
foreach(program kivrel kivrel-export kivrel-shot kivrel-pages)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${KIVREL_INSTALL_COMPONENT})
  endif()
endforeach()

# The desktop launch: the entry runs the launcher, which starts the board in
# its data folder instead of the home folder.
if(TARGET kivrel)
  install(PROGRAMS ${packaging_dir}/kivrel-launch DESTINATION ${CMAKE_INSTALL_BINDIR}
          COMPONENT ${KIVREL_INSTALL_COMPONENT})
  install(FILES ${packaging_dir}/kivrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          COMPONENT ${KIVREL_INSTALL_COMPONENT})
  install(FILES ${packaging_dir}/kivrel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          COMPONENT ${KIVREL_INSTALL_COMPONENT})
endif()

# The licence, where Debian keeps a package's copyright information.
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kivrel
        COMPONENT ${KIVREL_INSTALL_COMPONENT})

# Manual pages, one per installed program, with the version filled in and
# compressed as Debian keeps them (gzip -n: no name or time stamp inside, so
# the same sources give the same bytes).
set(manual_pages)
foreach(program kivrel kivrel-export kivrel-shot kivrel-pages)
  if(TARGET ${program})
    list(APPEND manual_pages ${program})
  endif()
endforeach()
if(TARGET kivrel)
  list(APPEND manual_pages kivrel-launch)
endif()
set(manual_files)
foreach(page IN LISTS manual_pages)
  set(page_source ${packaging_dir}/man/${page}.1)
  set(page_text ${PROJECT_BINARY_DIR}/man/${page}.1)
  configure_file(${page_source} ${page_text} @ONLY)
  add_custom_command(OUTPUT ${page_text}.gz
                     COMMAND gzip -9 -n -c ${page_text} > ${page_text}.gz
                     DEPENDS ${page_text}
                     COMMENT "Compressing manual page ${page}.1"
                     VERBATIM)
  list(APPEND manual_files ${page_text}.gz)
endforeach()
if(manual_files)
  add_custom_target(kivrel_manual_pages ALL DEPENDS ${manual_files})
  install(FILES ${manual_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${KIVREL_INSTALL_COMPONENT})
endif()

# The Debian package: kivrel_<version>_amd64.deb. dpkg-shlibdeps derives the
# libraries the programs link (Qt 6 Widgets, the C and C++ runtimes); the
# fonts the board substitutes for its Windows fonts (AR PL UKai for 標楷體,
# Liberation Sans for Arial) and the Ming face of its menus and dialogs
# cannot be derived and are listed here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivrel)
set(CPACK_PACKAGE_VENDOR "Kivrel")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "Kivrel developers <developers@kivrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quote board for the Taiwanese stock market")
# Debian's extended description, lines under 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kivrel reads the category listing pages of a quote service, saved as Big5\n"
    "HTML files, and shows one stock per row of a 15-column grid: the page's\n"
    "values plus the change percentage, the day's amplitude and the limit-up and\n"
    "limit-down prices that follow from the exchange's price rules. Each cell is\n"
    "coloured by where its price stands against the previous close and the daily\n"
    "limits. The quotes are kept in a binary quote file between runs.\n"
    "\n"
    "The package also holds kivrel-export (the board as CSV), kivrel-shot (a\n"
    "picture of the board without a display) and kivrel-pages (synthetic listing\n"
    "pages to try the board on).")
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};${KIVREL_INSTALL_COMPONENT};/")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-ukai, fonts-arphic-uming, fonts-liberation")
# Qt's own texts (message box buttons, the usage's headings) in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
