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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_CONTACT "Quillmark developers <quillmark@localhost>")
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
    "Authoring tool for computer-based tutorials\n Write chapters, keep teaching aids, preview, compile and distribute\n tutorials; quillc does the same jobs from the command line.")
set(CPACK_COMPONENT_QUILPLAY_DESCRIPTION
    "Player for tutorials made with Quillmark\n Plays compiled tutorials full screen or in a window.")
# Qt finds its GStreamer media backend and platform plugins at run time, not through the linker.
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-good, fonts-liberation")
set(CPACK_DEBIAN_QUILPLAY_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-good, fonts-liberation")
set(CPACK_DEBIAN_QUILLMARK_PACKAGE_SUGGESTS "quilplay")
include(CPack)
