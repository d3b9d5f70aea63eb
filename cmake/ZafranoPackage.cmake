# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack --config build/CPackConfig.cmake` (scripts/package.sh)
# writes build/zafrano_VERSION_ARCH.deb, installed under /usr, its Depends
# worked out by dpkg-shlibdeps from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zafrano)
set(CPACK_PACKAGE_VENDOR "Zafrano")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZAFRANO_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comprobador de peñas de Bonoloto")
# The summary is the first line of the package's description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zafrano guarda los sorteos de la Bonoloto y las peñas que juegan siempre los
mismos números (apuestas sencillas, múltiples y reducidas), trae los
resultados nuevos por internet y comprueba cada peña en cada sorteo, con sus
aciertos acumulados.

También da estadísticas de los números con gráficos, propone números y
sistemas reducidos, imprime las apuestas en los boletos oficiales y escribe
informes. Incluye el histórico de sorteos desde 1988 y la orden zafrano-cli
para usarlo desde un terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the binaries load without linking it: the SVG icon, Qt's Spanish
# texts for its own buttons and dialogs, the fonts of the
# printed pages and reports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, fonts-dejavu-core")
include(CPack)
