# What `cmake --install` puts where, and the Debian package (scripts/package.sh).
include(GNUInstallDirs)

# The programs find the FFmpeg module, the demo and the icon relative to themselves.
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

# Man pages and the changelog compressed as Debian expects (gzip -9, no name
# or time stamp, so a rebuild gives the same bytes).
set(compressed)
foreach(page tarvolin.6 tarvolin-content.1 debian/changelog)
  get_filename_component(name ${page} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${name}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
                     COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/${page} > ${CMAKE_BINARY_DIR}/packaging/${name}.gz
                     DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${page} VERBATIM)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
endforeach()
add_custom_target(tarvolin-docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/tarvolin.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/tarvolin-content.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The teachers' guide to their own lessons, with its worked example.
install(FILES ${PROJECT_SOURCE_DIR}/docs/lekcje.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/lekcje/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/lekcje)

# The demo's sources, so that the installed content tool can build it again.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/content/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvolin/demo-sources)

# The demo is built by the content tool at install time. Its settings file
# names the data root relative to the program directory, so the installed
# tree works wherever it is unpacked (a staging directory, a package, a
# prefix). Its files join the install manifest like every other file.
install(CODE "
  set(demo \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tarvolin/demo\")
  message(STATUS \"Building the demo: \${demo}\")
  execute_process(COMMAND \"$<TARGET_FILE:tarvolin-content>\" build-demo \"\${demo}\"
                            --sources \"${PROJECT_SOURCE_DIR}/content/demo\"
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR \"tarvolin-content build-demo failed\")
  endif()
  file(REMOVE_RECURSE \"\${demo}/program/login\")
  file(WRITE \"\${demo}/program/tarvo.ini\" \"[Tarvolin]\\r\\ncd=../cd\\r\\n\")
  file(GLOB_RECURSE demo_files LIST_DIRECTORIES false \"\${demo}/*\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \${demo_files})
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvolin)
set(CPACK_PACKAGE_VENDOR "Tarvolin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adventure game that teaches English to Polish-speaking children")
# Debian's control file: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "A child signs in under a nickname, walks through illustrated places, hears
spoken English words and dialogues and plays exercises that earn points and
diamonds: dragging words onto pictures, pointing at heard words, typing missing
letters, crosswords, word searches, gap dialogues, listening choices and a
memory game. A dictionary, an alphabet, songs and a best-players table complete
it. Everything the child reads is Polish; what the child learns is English.
.
The package brings a small demo adventure; the game also plays an original
installation and its CD. tarvolin-content reports each child's progress for
parents and teachers.")
set(CPACK_PACKAGE_CONTACT "Tarvolin developers <dev@tarvolin.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An educational game: its programs live in bin/, as that section expects.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# SDL is opened at run time (after the first picture), so the shared-library
# scan does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libsdl2-2.0-0")
# SDL finds whatever sound the machine has (PipeWire, PulseAudio, ALSA) and
# plays silently without any: no sound package is recommended. Qt's own texts
# in the folder picker are Polish with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
