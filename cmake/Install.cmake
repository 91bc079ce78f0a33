# Installing Quirnel like any other desktop program: the two programs, a desktop
# entry, icons, AppStream metainfo, manual pages and bash completion.
include(GNUInstallDirs)

# The desktop file id: the window announces it (setDesktopFileName) so task
# bars find the entry and its icon; the icon and metainfo carry the same name.
set(QUIRNEL_APP_ID "org.quirnel.Quirnel")
# An installed program knows itself by its desktop entry under its prefix.
target_compile_definitions(quirnel_core PRIVATE QUIRNEL_DESKTOP_ENTRY="${QUIRNEL_APP_ID}.desktop")
set(QUIRNEL_HOMEPAGE "https://quirnel.example.org" CACHE STRING "Project home page")
set(QUIRNEL_RAW_URL "https://quirnel.example.org/raw/main" CACHE STRING
    "Where files of the repository are served raw (the metainfo's screenshot)")
if(NOT QUIRNEL_RELEASE_DATE)
  # The date of the commit being built; outside a checkout, today.
  execute_process(COMMAND git log -1 --format=%cs WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE QUIRNEL_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET)
  if(NOT QUIRNEL_RELEASE_DATE)
    string(TIMESTAMP QUIRNEL_RELEASE_DATE "%Y-%m-%d" UTC)
  endif()
endif()

set(DATA_OUT ${PROJECT_BINARY_DIR}/data)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# Icons: the drawing, and PNG sizes rendered from it for themes and docks
# that do not scale SVG.
set(QUIRNEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_outputs)
foreach(size ${QUIRNEL_ICON_SIZES})
  set(png ${DATA_OUT}/icons/${size}x${size}/${QUIRNEL_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DATA_OUT}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/data/quirnel.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/data/quirnel.svg VERBATIM)
  list(APPEND icon_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/quirnel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUIRNEL_APP_ID}.svg)

# Manual pages: quirnel-cli's is its --help run through help2man, so an option
# added to the help appears here with the next build.
set(cli_man ${DATA_OUT}/quirnel-cli.1)
add_custom_command(OUTPUT ${cli_man}.gz
  COMMAND ${HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
          "--name=rename many files and folders at once from the command line"
          --include=${PROJECT_SOURCE_DIR}/data/quirnel-cli.h2m --output=${cli_man} $<TARGET_FILE:quirnel-cli>
  COMMAND ${GZIP} -9nf ${cli_man}
  DEPENDS quirnel-cli ${PROJECT_SOURCE_DIR}/data/quirnel-cli.h2m VERBATIM)
configure_file(data/quirnel.1.in ${DATA_OUT}/quirnel.1 @ONLY)
add_custom_command(OUTPUT ${DATA_OUT}/quirnel.1.gz
  COMMAND ${GZIP} -9nkf ${DATA_OUT}/quirnel.1
  DEPENDS ${DATA_OUT}/quirnel.1 VERBATIM)
add_custom_target(desktop_data ALL DEPENDS ${icon_outputs} ${cli_man}.gz ${DATA_OUT}/quirnel.1.gz)
install(FILES ${cli_man}.gz ${DATA_OUT}/quirnel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

configure_file(data/quirnel.desktop.in ${DATA_OUT}/${QUIRNEL_APP_ID}.desktop @ONLY)
configure_file(data/quirnel.metainfo.xml.in ${DATA_OUT}/${QUIRNEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${DATA_OUT}/${QUIRNEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DATA_OUT}/${QUIRNEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/quirnel-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME quirnel-cli)

# "Rename with Quirnel" in the file managers' context menus. Thunar keeps
# custom actions per user: its snippet is installed for the user to add.
configure_file(data/context-menu/dolphin-servicemenu.desktop.in ${DATA_OUT}/${QUIRNEL_APP_ID}.servicemenu.desktop @ONLY)
configure_file(data/context-menu/nemo.nemo_action.in ${DATA_OUT}/${QUIRNEL_APP_ID}.nemo_action @ONLY)
install(PROGRAMS ${DATA_OUT}/${QUIRNEL_APP_ID}.servicemenu.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/kio/servicemenus
        RENAME ${QUIRNEL_APP_ID}.desktop)
install(FILES ${DATA_OUT}/${QUIRNEL_APP_ID}.nemo_action DESTINATION ${CMAKE_INSTALL_DATADIR}/nemo/actions)
install(FILES data/context-menu/nautilus_quirnel.py DESTINATION ${CMAKE_INSTALL_DATADIR}/nautilus-python/extensions)
install(FILES data/context-menu/thunar-uca.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/quirnel)

install(TARGETS quirnel-cli)
if(TARGET quirnel)
  install(TARGETS quirnel)
endif()

add_test(NAME dist_desktop_entry
         COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/desktop_entry_test.sh ${DATA_OUT}/${QUIRNEL_APP_ID}.desktop)
add_test(NAME dist_context_menus
         COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/context_menu_test.py ${DATA_OUT} ${PROJECT_SOURCE_DIR} ${QUIRNEL_APP_ID})
add_test(NAME dist_metainfo
         COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/metainfo_test.sh ${DATA_OUT}/${QUIRNEL_APP_ID}.metainfo.xml
                 ${QUIRNEL_RAW_URL} ${PROJECT_SOURCE_DIR})
add_test(NAME dist_completion
         COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/completion_test.sh
                 $<TARGET_FILE:quirnel-cli> ${PROJECT_SOURCE_DIR}/data/quirnel-cli.bash)
if(TARGET quirnel)
  add_test(NAME dist_install
           COMMAND ${PROJECT_SOURCE_DIR}/tests/dist/install_test.sh ${PROJECT_BINARY_DIR}
                   ${PROJECT_SOURCE_DIR}/tests/dist/installed-files.txt)
endif()
