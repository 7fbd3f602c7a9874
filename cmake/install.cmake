# `make install` / `make deb`: the program and its log viewer, its shared
# data, a menu entry, icons (made by skingen) and a man page for each. PREFIX and DESTDIR come from cmake --install.
include(GNUInstallDirs)

install(TARGETS velmora logscope RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/app/velmora.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora/skins
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${CMAKE_SOURCE_DIR}/app/velmora.desktop ${CMAKE_SOURCE_DIR}/app/logscope.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The man pages go in compressed, as Debian wants; -n keeps the files the same on every build.
set(velmora_install_files)
foreach(name velmora logscope)
  set(man ${CMAKE_BINARY_DIR}/install/${name}.1.gz)
  add_custom_command(OUTPUT ${man}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/install
    COMMAND sh -c "gzip -9n -c '${CMAKE_SOURCE_DIR}/app/${name}.1' > '${man}'"
    DEPENDS ${CMAKE_SOURCE_DIR}/app/${name}.1 VERBATIM)
  list(APPEND velmora_install_files ${man})
  install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The program's icon and the log viewer's, each in the sizes menus ask for.
if(TARGET skingen)
  foreach(name velmora logscope)
    set(option --icon)
    if(name STREQUAL logscope)
      set(option --logscope-icon)
    endif()
    foreach(size 48 128 256)
      set(icon ${CMAKE_BINARY_DIR}/install/icons/${size}/${name}.png)
      add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/install/icons/${size}
        COMMAND skingen ${option} ${size} ${icon}
        DEPENDS skingen VERBATIM)
      list(APPEND velmora_install_files ${icon})
      install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
  endforeach()
endif()
add_custom_target(velmora_install_files ALL DEPENDS ${velmora_install_files})
