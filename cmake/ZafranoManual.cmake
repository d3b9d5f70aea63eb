# SPDX-License-Identifier: GPL-3.0-or-later
# Writes one gzip -9n compressed file from a template (configure_file @ONLY),
# as Debian ships manual pages and changelogs. With CLI set, the template's
# @ZAFRANO_MANUAL_SECTIONS@ are the commands and options that program prints
# with --manual-page. Run by the build: cmake -DTEMPLATE=… -DOUTPUT=…
# -DPROJECT_VERSION=… [-DZAFRANO_MAINTAINER=…] [-DCLI=…] -P ZafranoManual.cmake
if(CLI)
    execute_process(COMMAND ${CLI} --manual-page OUTPUT_VARIABLE ZAFRANO_MANUAL_SECTIONS
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CLI} --manual-page failed (${status})")
    endif()
    string(STRIP "${ZAFRANO_MANUAL_SECTIONS}" ZAFRANO_MANUAL_SECTIONS)
endif()
string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
configure_file(${TEMPLATE} ${plain} @ONLY)
execute_process(COMMAND gzip -9nf ${plain} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${plain} failed")
endif()
