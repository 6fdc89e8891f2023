# Installing the program as a desktop program: the program folder under lib/lumivista,
# launchers in bin, and the menu entry, file types and icons under share. `make install`
# runs these rules; `make package` turns them into a Debian package.

set(LV_INSTALL_PROGRAM_DIR lib/lumivista)
# Folders the program fills as it runs (from the build tree, while a developer tries it);
# an installed program makes them, when it needs them, where the user may write.
set(LV_RUNTIME_FOLDERS temp photos)
set(LV_EXECUTABLES lumivista lumivista-tool)
# Executables the programs start themselves: in the program folder, with no launcher.
set(LV_HELPER_EXECUTABLES lumivista-tool-qt)

set(executables)
foreach(target ${LV_EXECUTABLES})
  if(TARGET ${target})
    list(APPEND executables ${target})
  endif()
endforeach()
if(executables)
  # Through install(TARGETS), so packages get them stripped.
  install(TARGETS ${executables} RUNTIME DESTINATION ${LV_INSTALL_PROGRAM_DIR})
endif()
foreach(target ${LV_HELPER_EXECUTABLES})
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION ${LV_INSTALL_PROGRAM_DIR})
  endif()
endforeach()

# Everything else in the program folder, whichever part of the build put it there: a new
# data folder needs no rule of its own.
set(excluded)
foreach(name ${LV_EXECUTABLES} ${LV_HELPER_EXECUTABLES} ${LV_RUNTIME_FOLDERS})
  list(APPEND excluded PATTERN ${name} EXCLUDE)
endforeach()
install(DIRECTORY ${LV_PROGRAM_DIR}/ DESTINATION ${LV_INSTALL_PROGRAM_DIR} USE_SOURCE_PERMISSIONS ${excluded})

# The launchers: links, since the program finds its folder through its own executable.
set(launchers ${CMAKE_BINARY_DIR}/launchers)
file(MAKE_DIRECTORY ${launchers})
foreach(target ${executables})
  file(CREATE_LINK ../${LV_INSTALL_PROGRAM_DIR}/${target} ${launchers}/${target} SYMBOLIC)
  install(FILES ${launchers}/${target} DESTINATION bin)
endforeach()

# The desktop: menu entry, file types and icons.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumivista.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumivista-mime.xml DESTINATION share/mime/packages RENAME lumivista.xml)
if(TARGET desktop_icons)
  install(DIRECTORY ${LV_DESKTOP_DIR}/icons/ DESTINATION share/icons)
endif()

# Installed straight into a live system (no DESTDIR), the desktop's caches are refreshed as
# the package's scripts do.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(LV_UPDATE_DESKTOP update-desktop-database)
    find_program(LV_UPDATE_MIME update-mime-database)
    find_program(LV_UPDATE_ICONS gtk-update-icon-cache)
    if(LV_UPDATE_DESKTOP)
      execute_process(COMMAND ${LV_UPDATE_DESKTOP} -q "${share}/applications")
    endif()
    if(LV_UPDATE_MIME)
      execute_process(COMMAND ${LV_UPDATE_MIME} "${share}/mime")
    endif()
    if(LV_UPDATE_ICONS AND EXISTS "${share}/icons/hicolor/index.theme")
      execute_process(COMMAND ${LV_UPDATE_ICONS} -q -t -f "${share}/icons/hicolor")
    endif()
  endif()
]])

# The Debian package.
set(maintainer_scripts)
foreach(script postinst postrm)
  if(script STREQUAL "postinst")
    set(LV_SCRIPT_PURPOSE "Lets the desktop see the new menu entry, file types and icons at once.")
    set(LV_SCRIPT_ACTIONS "configure")
  else()
    set(LV_SCRIPT_PURPOSE "Takes the menu entry, file types and icons out of the desktop's caches again.")
    set(LV_SCRIPT_ACTIONS "remove|purge")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/maintainer-script.in ${CMAKE_BINARY_DIR}/debian/${script}
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                        WORLD_EXECUTE)
  list(APPEND maintainer_scripts ${CMAKE_BINARY_DIR}/debian/${script})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivista)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Equipe Lumivista <lumivista@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo editor and photo-album manager for home users")
set(CPACK_PACKAGE_DESCRIPTION "Lumivista 2000 brings photos in from files, scanners, cameras and the screen,
keeps them in albums of thumbnails, retouches them on a stack of layers, puts
them into calendars, cards and frames, and sends them out as files, prints,
slide shows and e-mail attachments. Its interface is in Brazilian Portuguese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; the rest is what the program reaches without linking:
# the fonts its fonts.conf names, the theme its icons join, and the JPEG XL, HEIF and FlashPix libraries
# it opens on the first such file (Debian 12's packages of the versions it is built against).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, hicolor-icon-theme, libjxl0.7, libheif1, libgsf-1-114")
# Qt's translations put its own dialogs and menus in Portuguese; without them they stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${maintainer_scripts}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
