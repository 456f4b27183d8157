# The window's translations: translations/*.ts, compiled by lrelease (Debian package
# qt6-l10n-tools) and built into the program as resources under :/translations.
# `cmake --build BUILD --target update_translations` brings the .ts files up to date with
# the marked texts of the sources (lupdate); the test translations_complete fails while a
# marked text has no translation.
set(QUILLON_QT_TOOLS_HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin)
find_program(QUILLON_LRELEASE lrelease HINTS ${QUILLON_QT_TOOLS_HINTS} NO_DEFAULT_PATH)
find_program(QUILLON_LUPDATE lupdate HINTS ${QUILLON_QT_TOOLS_HINTS} NO_DEFAULT_PATH)
if(NOT QUILLON_LRELEASE OR NOT QUILLON_LUPDATE)
  message(FATAL_ERROR "lrelease and lupdate not found: install qt6-l10n-tools")
endif()

set(QUILLON_TRANSLATIONS
  ${CMAKE_SOURCE_DIR}/translations/quillon_en.ts
  ${CMAKE_SOURCE_DIR}/translations/quillon_zh_CN.ts)
# The folders whose marked texts the translations hold.
set(QUILLON_TRANSLATED_SOURCES ${CMAKE_SOURCE_DIR}/app ${CMAKE_SOURCE_DIR}/platform/qt)

# Compiles the translations and builds them into target.
function(quillon_add_translations target)
  set(qm_files)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/translations)
  foreach(ts IN LISTS QUILLON_TRANSLATIONS)
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${QUILLON_LRELEASE} -silent -removeidentical ${ts} -qm ${qm}
      DEPENDS ${ts}
      COMMENT "Compiling ${name}.ts"
      VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${target} quillon_translations
    PREFIX /translations
    BASE ${CMAKE_CURRENT_BINARY_DIR}/translations
    FILES ${qm_files})
endfunction()

add_custom_target(update_translations
  COMMAND ${QUILLON_LUPDATE} -I ${CMAKE_SOURCE_DIR} -no-obsolete -locations none
    ${QUILLON_TRANSLATED_SOURCES}
    -ts ${QUILLON_TRANSLATIONS}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Updating translations/*.ts from the sources"
  VERBATIM)
