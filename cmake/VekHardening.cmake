# The hardening Debian builds its packages with: stack protector, fortified libc calls (they need
# the optimizer, so not in Debug builds) and a read-only relocation table bound at start-up.
add_compile_options(-fstack-protector-strong
                    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(LINKER:-z,relro LINKER:-z,now)
