# Desktop installation: `cmake --install build --prefix <dir>` puts the
# program, its launcher, its read-me and manual page, the desktop entry, the
# icon and the AppStream metainfo where desktop environments and software
# centres look for them.
if(NOT TARGET tabulon)
  return()
endif()

include(GNUInstallDirs)
set(TABULON_APP_ID org.tabulon.Tabulon)

# The program itself lies beside the libraries' helpers; what the menu and
# the command line start is the launcher, which first goes to the data folder.
install(TARGETS tabulon RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tabulon)
# The read-me lies beside the program, where its "Lisez-moi" entry looks when
# the data folder holds none; the build keeps a copy beside the built program.
configure_file(data/lisezmoi.txt ${CMAKE_BINARY_DIR}/lisezmoi.txt COPYONLY)
if(TARGET tabulon_son)
  install(TARGETS tabulon_son LIBRARY DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tabulon)
endif()
# The printing module, loaded from beside the program at the first print.
install(TARGETS tabulon_impression LIBRARY DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tabulon)
file(RELATIVE_PATH TABULON_PROGRAMME_RELATIF "/racine/${CMAKE_INSTALL_BINDIR}"
     "/racine/${CMAKE_INSTALL_LIBEXECDIR}/tabulon/tabulon")
configure_file(data/tabulon.sh.in ${CMAKE_BINARY_DIR}/lanceur/tabulon @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/lanceur/tabulon DESTINATION ${CMAKE_INSTALL_BINDIR})

# The read-me of the "?" menu, for a data folder that holds none of its own;
# the program finds it from its own folder, wherever the prefix is.
install(FILES data/lisezmoi.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/tabulon)
file(RELATIVE_PATH TABULON_FICHIERS_INSTALLES "/racine/${CMAKE_INSTALL_LIBEXECDIR}/tabulon"
     "/racine/${CMAKE_INSTALL_DATADIR}/tabulon")
target_compile_definitions(tabulon PRIVATE TABULON_FICHIERS_INSTALLES="${TABULON_FICHIERS_INSTALLES}")
configure_file(data/tabulon.1.in ${CMAKE_BINARY_DIR}/man/tabulon.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/man/tabulon.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES data/${TABULON_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${TABULON_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${TABULON_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The installation test installs this very build into a temporary folder.
if(TARGET DesktopInstall_test)
  target_compile_definitions(DesktopInstall_test PRIVATE
    TABULON_DOSSIER_CONSTRUCTION="${CMAKE_BINARY_DIR}"
    TABULON_CMAKE="${CMAKE_COMMAND}"
    TABULON_APP_ID="${TABULON_APP_ID}"
    TABULON_LIBEXEC="${CMAKE_INSTALL_LIBEXECDIR}/tabulon"
    TABULON_FICHIERS_INSTALLES="${TABULON_FICHIERS_INSTALLES}"
    TABULON_MANUEL="${CMAKE_INSTALL_MANDIR}/man1/tabulon.1")
  add_dependencies(DesktopInstall_test tabulon)
endif()
