# What the Debian packages (scripts/package.sh) take from the build: every
# install rule names a component, and packaging/debian/<package>.components
# says which components make up which package. The program's component
# kelvora_program also holds the desktop entry, icon, AppStream metainfo, man
# pages and user documents installed here.
set(KELVORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KELVORA_APP_ID org.kelvora.Kelvora)

install(FILES ${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT kelvora_program)
install(FILES ${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT kelvora_program)
configure_file(${KELVORA_PACKAGING_DIR}/${KELVORA_APP_ID}.metainfo.xml
               ${PROJECT_BINARY_DIR}/packaging/${KELVORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${KELVORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT kelvora_program)

# A man page for every installed program, in the component of its program;
# compressed as Debian keeps them (gzip -n: the same bytes at every build).
find_program(KELVORA_GZIP gzip REQUIRED)
set(KELVORA_MAN_PAGES)
foreach(entry IN ITEMS kelvora:kelvora_program kelvora-newdb:kelvora_program
                       prynex-demo:prynex_demo prynex-register:prynex_tools)
    string(REPLACE ":" ";" entry ${entry})
    list(GET entry 0 page)
    list(GET entry 1 component)
    set(out ${PROJECT_BINARY_DIR}/packaging/${page}.1)
    configure_file(${KELVORA_PACKAGING_DIR}/${page}.1 ${out} @ONLY)
    add_custom_command(OUTPUT ${out}.gz
        COMMAND ${KELVORA_GZIP} -9nf -k ${out}
        DEPENDS ${out})
    list(APPEND KELVORA_MAN_PAGES ${out}.gz)
    install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()
add_custom_target(kelvora_man_pages ALL DEPENDS ${KELVORA_MAN_PAGES})

# The documents of the program go where kelvora(1) says: /usr/share/doc/kelvora
# (the package's name, not the project's).
set(KELVORA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvora)
# The user guide is installed with the program (share/kelvora/guide), which opens it.
foreach(doc IN ITEMS README.md docs/SECURITY.md)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${doc})
        install(FILES ${PROJECT_SOURCE_DIR}/${doc} DESTINATION ${KELVORA_DOC_DIR} COMPONENT kelvora_program)
    endif()
endforeach()

# scripts/check-package.sh: loads every plugin of Qt Designer's plugin folder
# as Designer does and checks that both controls are among them. Not installed.
if(TARGET prynex_designer_plugin OR TARGET label3d_designer_plugin)
    find_package(Qt6 QUIET COMPONENTS UiPlugin)
    add_executable(kelvora-check-designer-plugins ${KELVORA_PACKAGING_DIR}/check/designer_plugins_check.cpp)
    target_link_libraries(kelvora-check-designer-plugins PRIVATE kelvora_options Qt6::Widgets Qt6::UiPlugin)
endif()
