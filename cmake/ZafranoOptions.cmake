# One interface target carries the warnings and Qt defines every target uses.
add_library(zafrano_options INTERFACE)
target_compile_options(zafrano_options INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(zafrano_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(ZAFRANO_WERROR)
    target_compile_options(zafrano_options INTERFACE -Werror)
    target_compile_definitions(zafrano_options INTERFACE QT_FORCE_ASSERTS)
endif()
# The hardening a Debian package is built with: checked buffer functions, a
# stack protector, and relocations resolved at start and made read-only.
if(NOT ZAFRANO_SANITIZE)
    target_compile_options(zafrano_options INTERFACE -fstack-protector-strong)
    target_compile_definitions(zafrano_options INTERFACE
        $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_link_options(zafrano_options INTERFACE LINKER:-z,relro,-z,now)
endif()
if(ZAFRANO_SANITIZE)
    target_compile_options(zafrano_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(zafrano_options INTERFACE -fsanitize=address,undefined)
endif()
