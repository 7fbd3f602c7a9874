# `make install` / `make deb`: the program, its shared data, a menu entry and
# icons made by skingen. PREFIX and DESTDIR come from cmake --install.
include(GNUInstallDirs)

install(TARGETS velmora logscope RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/app/velmora.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora/skins
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${CMAKE_SOURCE_DIR}/app/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The man page goes in compressed, as Debian wants; -n keeps the file the same on every build.
set(velmora_man ${CMAKE_BINARY_DIR}/install/velmora.1.gz)
add_custom_command(OUTPUT ${velmora_man}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/install
  COMMAND sh -c "gzip -9n -c '${CMAKE_SOURCE_DIR}/app/velmora.1' > '${velmora_man}'"
  DEPENDS ${CMAKE_SOURCE_DIR}/app/velmora.1 VERBATIM)
set(velmora_install_files ${velmora_man})
install(FILES ${velmora_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET skingen)
  foreach(size 48 128 256)
    set(icon ${CMAKE_BINARY_DIR}/install/icons/${size}/velmora.png)
    add_custom_command(OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/install/icons/${size}
      COMMAND skingen --icon ${size} ${icon}
      DEPENDS skingen VERBATIM)
    list(APPEND velmora_install_files ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
add_custom_target(velmora_install_files ALL DEPENDS ${velmora_install_files})
