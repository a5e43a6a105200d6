# The web player: the page's files in <build>/web, where quillc and quillmark find them at export
# time (export/web_export.h), and the engine built for WebAssembly with emscripten into the same
# folder when emcmake is installed (scripts/install-deps installs it).
set(QUILL_WEB_OUTPUT ${CMAKE_BINARY_DIR}/web)
file(GLOB quill_web_page_files CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/web/*.js ${CMAKE_SOURCE_DIR}/src/web/*.html ${CMAKE_SOURCE_DIR}/src/web/*.css)
set(quill_web_copies "")
foreach(file ${quill_web_page_files})
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${QUILL_WEB_OUTPUT}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${QUILL_WEB_OUTPUT}/${name}
    DEPENDS ${file}
    COMMENT "Copying the web page's ${name}")
  list(APPEND quill_web_copies ${QUILL_WEB_OUTPUT}/${name})
endforeach()
add_custom_target(quill_web_page ALL DEPENDS ${quill_web_copies})

find_program(QUILL_EMCMAKE emcmake)
if(QUILL_EMCMAKE)
  include(ExternalProject)
  # emcc's optimiser runs on node and needs Debian's acorn, which a node from elsewhere only
  # finds through NODE_PATH (harmless with Debian's own node).
  set(quill_web_env ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
  ExternalProject_Add(quill_web_engine
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/web/engine
    BINARY_DIR ${CMAKE_BINARY_DIR}/web-engine
    CONFIGURE_COMMAND ${quill_web_env} ${QUILL_EMCMAKE} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -G Ninja
      -DQUILL_WERROR=${QUILL_WERROR}
    BUILD_COMMAND ${quill_web_env} ${CMAKE_COMMAND} --build <BINARY_DIR> -j 2
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/quill_engine.js ${QUILL_WEB_OUTPUT}/quill_engine.js
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  add_dependencies(quill_web_page quill_web_engine)
else()
  message(STATUS "emcmake not found: the web player's engine is not built (quillc export-web needs it)")
endif()
# Installed with quillc and quillmark, which find it at export time (<prefix>/share/quillmark/web).
install(DIRECTORY ${QUILL_WEB_OUTPUT}/ DESTINATION share/quillmark/web COMPONENT quillmark)
