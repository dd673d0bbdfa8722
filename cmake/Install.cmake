# How Numik is installed. Two layouts:
#  - the self-contained folder (the default): `cmake --install build --prefix DIR` puts the
#    executable, its plugins, the sound folder "zvuk", the icon and a desktop entry naming DIR
#    into DIR; settings and records are kept there too when DIR is writable;
#  - the system layout (NUMIK_SYSTEM_INSTALL=ON, for the Debian package that scripts/package.sh
#    makes): /usr/bin/numik, the plugins at NUMIK_PLUGIN_SUBDIR from it, the sounds in
#    /usr/share/numik/zvuk, the desktop entry, icon, AppStream metainfo and copyright where a
#    desktop finds them; each account keeps its records in ~/.local/share/numik.
include(GNUInstallDirs)
option(NUMIK_SYSTEM_INSTALL "Install into the system's folders rather than one self-contained folder" OFF)
# NUMIK_PLUGIN_SUBDIR, the plugins' folder relative to the executable's, is set and checked in
# src/ui/CMakeLists.txt.

# the one id of the application: the maker's domain reversed, then the program
set(NUMIK_APP_ID example.korvelanta.Numik)

if(NUMIK_SYSTEM_INSTALL)
    set(numik_bin_dir ${CMAKE_INSTALL_BINDIR})
    set(numik_share_dir ${CMAKE_INSTALL_DATADIR}/numik)
    file(RELATIVE_PATH numik_default_data_subdir /${numik_bin_dir} /${numik_share_dir})
else()
    set(numik_bin_dir .)
    set(numik_share_dir .)
    set(numik_default_data_subdir .)
endif()
set(NUMIK_DATA_SUBDIR ${numik_default_data_subdir} CACHE STRING
    "The installed data folder (holding \"zvuk\"), relative to the executable's folder")
# Relative paths only: the program never looks into a folder of the build machine.
if(IS_ABSOLUTE "${NUMIK_DATA_SUBDIR}")
    message(FATAL_ERROR "NUMIK_DATA_SUBDIR must be relative to the executable's folder, not ${NUMIK_DATA_SUBDIR}")
endif()
if(NUMIK_SYSTEM_INSTALL)
    set(numik_system 1)
else()
    set(numik_system 0)
endif()
target_compile_definitions(numik PRIVATE NUMIK_DATA_SUBDIR="${NUMIK_DATA_SUBDIR}" NUMIK_SYSTEM_INSTALL=${numik_system})

cmake_path(SET numik_plugin_dir NORMALIZE "${numik_bin_dir}/${NUMIK_PLUGIN_SUBDIR}")
cmake_path(SET numik_sound_dir NORMALIZE "${numik_bin_dir}/${NUMIK_DATA_SUBDIR}/zvuk")
install(TARGETS numik RUNTIME DESTINATION ${numik_bin_dir})
install(TARGETS numiksound numiksheets LIBRARY DESTINATION ${numik_plugin_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sounds/ DESTINATION ${numik_sound_dir} FILES_MATCHING PATTERN "*.wav")

set(numik_desktop_template ${PROJECT_SOURCE_DIR}/packaging/numik.desktop.in)
if(NOT NUMIK_SYSTEM_INSTALL)
    # The desktop entry names the folder it was installed to, so the install writes it there
    # (register it as the README says).
    install(FILES src/ui/app/images/app-icon.svg DESTINATION . RENAME numik.svg)
    install(CODE "
        set(NUMIK_DESKTOP_EXEC \"\\\"\${CMAKE_INSTALL_PREFIX}/numik\\\"\")
        set(NUMIK_DESKTOP_ICON \"\${CMAKE_INSTALL_PREFIX}/numik.svg\")
        set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/numik.desktop\")
        configure_file(\"${numik_desktop_template}\" \"\${entry}\" @ONLY)
        file(APPEND \"\${entry}\" \"Path=\${CMAKE_INSTALL_PREFIX}\\n\")
    ")
    return()
endif()

set(NUMIK_DESKTOP_EXEC numik)
set(NUMIK_DESKTOP_ICON ${NUMIK_APP_ID})
set(numik_packaging ${CMAKE_BINARY_DIR}/packaging)
configure_file(${numik_desktop_template} ${numik_packaging}/${NUMIK_APP_ID}.desktop @ONLY)
# The release date is the change log's newest entry, so that two builds of one version are alike:
# its trailer reads " -- Maker <mail>  Tue, 08 Dec 2026 09:00:00 +0000".
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog numik_trailer REGEX "^ -- .*  [A-Z][a-z][a-z], " LIMIT_COUNT 1)
if(NOT numik_trailer MATCHES ", ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no date in the trailer of its newest entry")
endif()
set(numik_day ${CMAKE_MATCH_1})
set(numik_year ${CMAKE_MATCH_3})
set(numik_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND numik_months ${CMAKE_MATCH_2} numik_month)
if(numik_month LESS 0)
    message(FATAL_ERROR "packaging/changelog: unknown month in \"${numik_trailer}\"")
endif()
math(EXPR numik_month "${numik_month} + 1")
foreach(part numik_month numik_day)
    string(LENGTH "${${part}}" numik_length)
    if(numik_length EQUAL 1)
        set(${part} 0${${part}})
    endif()
endforeach()
set(NUMIK_RELEASE_DATE ${numik_year}-${numik_month}-${numik_day})
configure_file(${PROJECT_SOURCE_DIR}/packaging/numik.metainfo.xml.in
               ${numik_packaging}/${NUMIK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${numik_packaging}/${NUMIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES src/ui/app/images/app-icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${NUMIK_APP_ID}.svg)
install(FILES ${numik_packaging}/${NUMIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# the package's name, not the project's "Numik" of GNUInstallDirs' default
set(numik_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/numik)
install(FILES packaging/copyright DESTINATION ${numik_doc_dir})

# A Debian package also carries its change log, compressed reproducibly (gzip -n), and a manual page.
find_program(NUMIK_GZIP gzip REQUIRED)
foreach(file changelog numik.1)
    add_custom_command(OUTPUT ${numik_packaging}/${file}.gz
        COMMAND ${NUMIK_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${file} > ${numik_packaging}/${file}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file})
endforeach()
add_custom_target(numik_packaging_files ALL DEPENDS ${numik_packaging}/changelog.gz ${numik_packaging}/numik.1.gz)
install(FILES ${numik_packaging}/changelog.gz DESTINATION ${numik_doc_dir})
install(FILES ${numik_packaging}/numik.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME numik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Korvelanta)
set(CPACK_PACKAGE_CONTACT "Korvelanta <numik@korvelanta.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arithmetic practice for children")
# the lines of the long description stay within 80 columns
set(CPACK_PACKAGE_DESCRIPTION "Numik poses one exercise at a time in the four arithmetic operations,
with one of the three numbers hidden, judges every answer at once with a
picture and a sound, and gives a school grade. A teacher sets the number
ranges, the grading and a time limit. The program speaks Czech.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://numik.korvelanta.example)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# beyond the libraries, which dpkg-shlibdeps finds (QtSvg, which draws the pictures, among them;
# the X11 platform plugin is in libqt6gui6): Arial's metrics and Qt's dialogs in Czech
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
