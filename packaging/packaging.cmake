# Installing and packaging on Linux. `cmake --install` puts the programs in bin, their own files
# (help book, instructions, the sample tutorial) in share/quillmark, where the programs look for them beside their bin
# folder, and the desktop integration in the freedesktop places: desktop entries, MIME types for
# project files (.QKJ) and compiled tutorials (.QKD), AppStream metainfo and icons.
#
# CPack makes two Debian packages: quillmark (the authoring tool and quillc) and quilplay (the
# learner's player), with their dependencies computed from the binaries (dpkg-shlibdeps).
include(GNUInstallDirs)
set(QUILL_PKG ${CMAKE_CURRENT_LIST_DIR}/linux)

install(TARGETS quillmark quillc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quillmark)
install(FILES ${QUILL_SHIPPED_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark COMPONENT quillmark)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark/sample COMPONENT quillmark)
install(TARGETS quilplay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quilplay)

foreach(app Quillmark Quilplay)
  string(TOLOWER ${app} component)
  install(FILES ${QUILL_PKG}/org.quillmark.${app}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${component})
  install(FILES ${QUILL_PKG}/org.quillmark.${app}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT ${component})
  install(FILES ${QUILL_PKG}/org.quillmark.${app}.mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME org.quillmark.${app}.xml COMPONENT ${component})
  install(FILES ${QUILL_PKG}/org.quillmark.${app}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT ${component})
endforeach()

# Manual pages made from the programs' own --help texts, the licence and the changelog, in
# each package's documentation folder as Debian asks.
set(QUILL_PACKAGE_CONTACT "Quillmark developers <developers@quillmark.invalid>" CACHE STRING
    "Maintainer of the Debian packages (name <address>)")
set(QUILL_DOC_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${QUILL_DOC_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${QUILL_DOC_DIR}/changelog.gz
  COMMAND gzip -9nc ${QUILL_DOC_DIR}/changelog > ${QUILL_DOC_DIR}/changelog.gz
  DEPENDS ${QUILL_DOC_DIR}/changelog)
set(quill_man_pages "")
foreach(entry "quillmark|authoring tool for computer-based tutorials"
              "quillc|check, compile, distribute and play Quillmark tutorials from the command line"
              "quilplay|play tutorials made with Quillmark")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 prog)
  list(GET parts 1 summary)
  add_custom_command(OUTPUT ${QUILL_DOC_DIR}/${prog}.1.gz
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-manpage $<TARGET_FILE:${prog}> ${prog} "${summary}"
            ${PROJECT_VERSION} ${QUILL_DOC_DIR}/${prog}.1.gz
    DEPENDS ${prog} ${CMAKE_CURRENT_LIST_DIR}/make-manpage)
  list(APPEND quill_man_pages ${QUILL_DOC_DIR}/${prog}.1.gz)
endforeach()
add_custom_target(quill_package_docs ALL DEPENDS ${quill_man_pages} ${QUILL_DOC_DIR}/changelog.gz)
install(FILES ${QUILL_DOC_DIR}/quillmark.1.gz ${QUILL_DOC_DIR}/quillc.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT quillmark)
install(FILES ${QUILL_DOC_DIR}/quilplay.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT quilplay)
foreach(component quillmark quilplay)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${QUILL_DOC_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${component} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_CONTACT "${QUILL_PACKAGE_CONTACT}")
# Debug information stays in the build; the packages hold stripped programs.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL quillmark quilplay)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_NAME quillmark)
set(CPACK_DEBIAN_QUILPLAY_PACKAGE_NAME quilplay)
set(CPACK_COMPONENT_QUILLMARK_DESCRIPTION
    "Authoring tool for computer-based tutorials\nWrite chapters, keep teaching aids, preview, compile and distribute\ntutorials; quillc does the same jobs from the command line.")
set(CPACK_COMPONENT_QUILPLAY_DESCRIPTION
    "Player for tutorials made with Quillmark\nPlays compiled tutorials full screen or in a window.")
# Qt finds its GStreamer media backend and platform plugins at run time, not through the linker.
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-good, fonts-liberation")
set(CPACK_DEBIAN_QUILPLAY_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-good, fonts-liberation")
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_SUGGESTS "quilplay")
# MIDI plays through fluidsynth (plugins-bad), the old AVI codecs come with libav.
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-bad, gstreamer1.0-libav")
set(CPACK_DEBIAN_QUILPLAY_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-bad, gstreamer1.0-libav")
include(CPack)
