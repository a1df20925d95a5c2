# The distribution's hardening for every target of the tree, the same set that
# `dpkg-buildflags` gives with hardening=+all, so that a plain scripts/build.sh
# (and the packages made from it) get it without the packaging environment:
#   stack protector, FORTIFY, stack-clash protection, control-flow protection,
#   format-string checks, full RELRO (read-only relocations, bound at start-up)
#   and position-independent executables.
# The fuzz harnesses (fuzz/) are a project of their own and keep their flags.
option(KELVORA_HARDENING "Build with the distribution's hardening flags" ON)
if(NOT KELVORA_HARDENING)
    return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

# With CMAKE_POSITION_INDEPENDENT_CODE (set by the top file) programs link as PIE.
check_pie_supported(LANGUAGES CXX)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# Not every compiler and processor knows these two (-fcf-protection is x86 only).
foreach(flag IN ITEMS -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "KELVORA_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
        add_compile_options(${flag})
    endif()
endforeach()

# FORTIFY needs optimisation (glibc warns, and -Werror fails, without it), and
# the sanitizers check the same calls more thoroughly on their own. A compiler
# that defines it already must not see a second, different definition.
if(NOT KELVORA_SANITIZE)
    set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE>" "$<${optimised}:-D_FORTIFY_SOURCE=2>")
endif()

add_link_options(LINKER:-z,relro LINKER:-z,now)
