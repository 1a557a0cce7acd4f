# What `cmake --install` puts where, and the Debian package (`cpack -G DEB`).
include(GNUInstallDirs)

install(TARGETS tarvolin tarvolin-content RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tarvolin-ffmpeg LIBRARY DESTINATION ${TARVOLIN_MODULE_DIR})

set(app_id org.tarvolin.Tarvolin)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${app_id}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/tarvolin-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvolin.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvolin-content.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The demo is built by the content tool at install time. Its settings file
# names the data root relative to the program directory, so the installed
# tree works wherever it is unpacked (a staging directory, a package, a prefix).
install(CODE "
  set(demo \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tarvolin/demo\")
  file(REMOVE_RECURSE \"\${demo}\")
  message(STATUS \"Building the demo: \${demo}\")
  execute_process(COMMAND \"$<TARGET_FILE:tarvolin-content>\" build-demo \"\${demo}\"
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR \"tarvolin-content build-demo failed\")
  endif()
  file(REMOVE_RECURSE \"\${demo}/program/login\")
  file(WRITE \"\${demo}/program/tarvo.ini\" \"[Tarvolin]\\r\\ncd=../cd\\r\\n\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvolin)
set(CPACK_PACKAGE_VENDOR "Tarvolin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adventure game that teaches English to Polish-speaking children")
set(CPACK_PACKAGE_DESCRIPTION "A child signs in, walks through illustrated places, hears spoken \
English words and dialogues and plays exercises that earn points and diamonds; with a dictionary, \
an alphabet, songs and a demo adventure.")
set(CPACK_PACKAGE_CONTACT "Tarvolin developers <dev@tarvolin.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-alsa | pulseaudio | alsa-utils")
include(CPack)
