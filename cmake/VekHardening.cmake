# The hardening Debian builds its packages with: stack protector, fortified libc calls (they need
# the optimizer, so not in Debug builds, and the sanitizers check those calls themselves) and a
# read-only relocation table bound at start-up.
add_compile_options(-fstack-protector-strong)
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    add_compile_options(
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
