# Installation and the Debian package (`cpack -G DEB` in the build folder, or bash
# scripts/pacote): the program and the tool in /usr/bin, the desktop entry and icon, the manual
# pages, the nightly backup's systemd pair (installed, not enabled) and its settings in
# /etc/default.

include(GNUInstallDirs)

# Installing (and so packaging) takes what is built and does not first build every test and
# benchmark: scripts/pacote builds before it packages, and the package's test depends on the
# programs it packs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(ZV_PACOTE zorvane-almoxarifado)
set(ZV_EMBALAGEM ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(ZV_EMBALAGEM_GERADA ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${ZV_EMBALAGEM_GERADA})

if(TARGET zv)
  install(TARGETS zv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS zvdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# zvdb carries the schema in its resources and needs no file; the copy is for an administrator
# who wants to read it or build a database by hand.
install(FILES db/schema.sql DESTINATION ${CMAKE_INSTALL_DATADIR}/${ZV_PACOTE})

install(FILES ${ZV_EMBALAGEM}/${ZV_PACOTE}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZV_EMBALAGEM}/icones/${ZV_PACOTE}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(tamanho 16 32 48 64 128 256)
  install(FILES ${ZV_EMBALAGEM}/icones/${ZV_PACOTE}-${tamanho}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${tamanho}x${tamanho}/apps
          RENAME ${ZV_PACOTE}.png)
endforeach()

# Manual pages and the changelog are installed compressed, as Debian keeps them; -n leaves the
# time out, so the same sources give the same bytes.
set(ZV_VERSAO ${PROJECT_VERSION})
configure_file(${ZV_EMBALAGEM}/changelog ${ZV_EMBALAGEM_GERADA}/changelog @ONLY)
set(ZV_COMPRIMIDOS)
foreach(origem ${ZV_EMBALAGEM}/zv.1 ${ZV_EMBALAGEM}/zvdb.1 ${ZV_EMBALAGEM_GERADA}/changelog)
  get_filename_component(nome ${origem} NAME)
  add_custom_command(
    OUTPUT ${ZV_EMBALAGEM_GERADA}/${nome}.gz
    COMMAND gzip -9 -n -c ${origem} > ${ZV_EMBALAGEM_GERADA}/${nome}.gz
    DEPENDS ${origem}
    VERBATIM)
  list(APPEND ZV_COMPRIMIDOS ${ZV_EMBALAGEM_GERADA}/${nome}.gz)
endforeach()
add_custom_target(embalagem ALL DEPENDS ${ZV_COMPRIMIDOS})
install(FILES ${ZV_EMBALAGEM_GERADA}/zv.1.gz ${ZV_EMBALAGEM_GERADA}/zvdb.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZV_EMBALAGEM_GERADA}/changelog.gz ${ZV_EMBALAGEM}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${ZV_PACOTE})

# The nightly backup: Debian 12 keeps packaged units in /lib/systemd/system. Nothing enables
# them; the administrator does, once the folders in /etc/default are right.
install(FILES ${ZV_EMBALAGEM}/systemd/${ZV_PACOTE}-backup.service
              ${ZV_EMBALAGEM}/systemd/${ZV_PACOTE}-backup.timer
        DESTINATION /lib/systemd/system)
install(FILES ${ZV_EMBALAGEM}/${ZV_PACOTE}.default DESTINATION /etc/default RENAME ${ZV_PACOTE})
file(WRITE ${ZV_EMBALAGEM_GERADA}/conffiles "/etc/default/${ZV_PACOTE}\n")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZV_PACOTE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zorvane)
set(CPACK_PACKAGE_CONTACT "Zorvane Suporte <suporte@zorvane.com.br>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ${ZV_PACOTE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zorvane Suporte <suporte@zorvane.com.br>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "controle de almoxarifado: estoque, requisições e empréstimos
Programa de almoxarifado de uma empresa: cadastros de produtos, grupos,
requisitantes e fornecedores; entradas, saídas, estornos, empréstimos e
devoluções com o custo médio de cada produto; controle de acesso com
registro de operações; relatórios de estoque e de movimentos.
.
Os dados ficam num banco Firebird (zv.fdb), numa pasta local ou num
servidor Firebird para várias estações. A ferramenta zvdb cria o banco,
faz backups (também pelo systemd, toda noite) e grava relatórios em PDF.")
# The libraries it links come from shlibdeps; the embedded database engine, which opens a
# local folder, and the report fonts are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-server, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${ZV_EMBALAGEM_GERADA}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
